#include "partial_language.h"

#include "app/process_globals.h"

#include <string>

namespace testsupport {

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

}  // namespace

PartialLanguage::PartialLanguage()
    : module_(LoadLibraryW((ProgramFolder() + L"partial_language.dll").c_str())),
      previous_(g_process.resourceModule) {
    if (module_) g_process.resourceModule = module_.Get();
}

PartialLanguage::~PartialLanguage() {
    g_process.resourceModule = previous_;
}

}  // namespace testsupport
