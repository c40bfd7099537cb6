#include "partial_language.h"

#include "test_support.h"

#include <string>
#include <utility>

namespace testsupport {

namespace {

// In a folder of its own, so that the tests going through every language library beside the
// test programs do not take it for one.
std::wstring PartialFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1) + L"partial\\";
}

}  // namespace

PartialLanguage::PartialLanguage() : other_(PartialFolder()) {
    other_.LoadFile(L"PRT");
    std::swap(other_, ProcessLanguageLibrary());
}

PartialLanguage::~PartialLanguage() {
    std::swap(other_, ProcessLanguageLibrary());
}

}  // namespace testsupport
