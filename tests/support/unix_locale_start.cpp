#include "unix_locale_start.h"

#include <tlhelp32.h>

namespace {

// The process running `program` (a full path), 0 when there is none.
DWORD FindProcessOf(const std::wstring& program) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    DWORD found = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process) continue;
        wchar_t image[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (QueryFullProcessImageNameW(process, 0, image, &length) && _wcsicmp(image, program.c_str()) == 0) {
            found = entry.th32ProcessID;
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return found;
}

}  // namespace

DWORD StartUnderUnixLocale(const std::wstring& program, const std::wstring& unixLocale) {
    // A Windows child inherits Wine's locale from its parent whatever environment it is given,
    // so the program is started by a Unix program that sets the locale first.
    std::wstring commandLine =
        L"/usr/bin/env LC_ALL=" + unixLocale + L" LANG=" + unixLocale + L" wine \"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\usr\\bin\\env", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return 0;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    // The Unix starter cannot be waited for: look for the program's own process instead.
    const ULONGLONG end = GetTickCount64() + 20000;
    while (GetTickCount64() < end) {
        if (const DWORD processId = FindProcessOf(program)) return processId;
        Sleep(100);
    }
    return 0;
}
