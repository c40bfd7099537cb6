#include "partial_language.h"

#include "test_support.h"

#include <string>
#include <utility>

namespace testsupport {

// In a folder of its own, so that the tests going through every language library beside the
// test programs do not take it for one.
PartialLanguage::PartialLanguage() : other_(TestProgramFolder() + L"partial\\") {
    other_.LoadFile(L"PRT");
    std::swap(other_, ProcessLanguageLibrary());
}

PartialLanguage::~PartialLanguage() {
    std::swap(other_, ProcessLanguageLibrary());
}

}  // namespace testsupport
