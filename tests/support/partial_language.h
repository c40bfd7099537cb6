#pragma once
// "partial/XDL-PRT.dll", built beside the tests: a language library holding only the texts of
// 20200 and 20004, standing in for the process's language library for the holder's life.
#include <windows.h>

#include "ui/language_library.h"

namespace testsupport {

inline constexpr wchar_t kPartialInitializingText[] = L"Das System wird initialisiert. Bitte warten...";
inline constexpr wchar_t kPartialIdleText[] = L"Bereit";

class PartialLanguage {
public:
    PartialLanguage();
    ~PartialLanguage();
    PartialLanguage(const PartialLanguage&) = delete;
    PartialLanguage& operator=(const PartialLanguage&) = delete;
    HMODULE Module() const { return ProcessLanguageLibrary().Module(); }

private:
    // The partial library until it stands in, then the process's own one until it returns.
    LanguageLibrary other_;
};

}  // namespace testsupport
