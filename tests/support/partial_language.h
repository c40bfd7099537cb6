#pragma once
// "partial_language.dll", built beside the tests: a language library holding only the texts
// of 20200 and 20004, made the process's resource module for the holder's life.
#include <windows.h>

#include "base/unique_handle.h"

namespace testsupport {

inline constexpr wchar_t kPartialInitializingText[] = L"Das System wird initialisiert. Bitte warten...";
inline constexpr wchar_t kPartialIdleText[] = L"Bereit";

class PartialLanguage {
public:
    PartialLanguage();
    ~PartialLanguage();
    PartialLanguage(const PartialLanguage&) = delete;
    PartialLanguage& operator=(const PartialLanguage&) = delete;
    HMODULE Module() const { return module_.Get(); }

private:
    UniqueModule module_;
    HINSTANCE previous_;
};

}  // namespace testsupport
