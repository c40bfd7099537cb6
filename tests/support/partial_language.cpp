#include "partial_language.h"

#include "app/process_globals.h"
#include "test_support.h"

#include <string>

namespace testsupport {

PartialLanguage::PartialLanguage()
    : module_(LoadLibraryW((TestProgramFolder() + L"partial_language.dll").c_str())),
      previous_(g_process.resourceModule) {
    if (module_) g_process.resourceModule = module_.Get();
}

PartialLanguage::~PartialLanguage() {
    g_process.resourceModule = previous_;
}

}  // namespace testsupport
