#pragma once
// "XDL-PRT.dll", built beside the tests: a language library holding only the texts of 20200
// and 20004, loaded as the process's language library for the holder's life.
#include <windows.h>

namespace testsupport {

inline constexpr wchar_t kPartialInitializingText[] = L"Das System wird initialisiert. Bitte warten...";
inline constexpr wchar_t kPartialIdleText[] = L"Bereit";

class PartialLanguage {
public:
    PartialLanguage();
    ~PartialLanguage();
    PartialLanguage(const PartialLanguage&) = delete;
    PartialLanguage& operator=(const PartialLanguage&) = delete;
    HMODULE Module() const;
};

}  // namespace testsupport
