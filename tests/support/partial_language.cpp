#include "partial_language.h"

#include "ui/language_library.h"

namespace testsupport {

PartialLanguage::PartialLanguage() {
    ProcessLanguageLibrary().LoadFile(L"PRT");
}

PartialLanguage::~PartialLanguage() {
    ProcessLanguageLibrary().Release();
}

HMODULE PartialLanguage::Module() const {
    return ProcessLanguageLibrary().Module();
}

}  // namespace testsupport
