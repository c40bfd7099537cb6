#pragma once
// Starting a Windows program under a Unix locale (e.g. "de_DE.UTF-8"), from which Wine takes the
// user's languages. Shared with the end-to-end program, which compiles this file on its own.
#include <windows.h>

#include <string>

// Starts `program` (a full path) under the locale in LANG and LC_ALL; its process id, or 0 when
// it did not appear within 20 s.
DWORD StartUnderUnixLocale(const std::wstring& program, const std::wstring& unixLocale);
