#include "program_run.h"

#include "unix_locale_start.h"

#include <cstdio>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[128] = {};
    GetClassNameW(window, className, 128);
    if (processId == search->processId && wcscmp(className, search->className) == 0 &&
        (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring BuiltProgramPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    folder.resize(folder.find_last_of(L'\\'));
    return folder + L"\\bin\\tavro.exe";
}

bool CopyProgramTo(const std::wstring& folder) {
    return CopyBesideProgram(folder, L"tavro.exe");
}

bool CopyBesideProgram(const std::wstring& folder, const wchar_t* fileName) {
    std::wstring built = BuiltProgramPath();
    built.resize(built.find_last_of(L'\\') + 1);
    return CopyFileW((built + fileName).c_str(), (folder + L"\\" + fileName).c_str(), FALSE) != 0;
}

ProgramRun::ProgramRun(const std::wstring& program) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> commandLine(program.begin(), program.end());
    commandLine.push_back(L'\0');
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
    }
}

ProgramRun::ProgramRun(const std::wstring& program, const std::wstring& unixLocale) {
    if (const DWORD processId = StartUnderUnixLocale(program, unixLocale)) Attach(processId);
}

void ProgramRun::Attach(DWORD processId) {
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (process_) processId_ = processId;
}

ProgramRun::~ProgramRun() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ProgramRun::WaitForExit(DWORD milliseconds) {
    if (!process_) return false;
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
        const DWORD result = MsgWaitForMultipleObjects(1, &process_, FALSE,
                                                       static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) return true;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}

DWORD ProgramRun::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

HWND ProgramRun::FindWindowOfClass(const wchar_t* className, bool visibleOnly) const {
    Search search{processId_, className, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramRun::WaitForWindowOfClass(const wchar_t* className, DWORD milliseconds) const {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        if (HWND found = FindWindowOfClass(className)) return found;
        ServeMessages(50);
    }
    return nullptr;
}

void ServeMessages(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    } while (GetTickCount64() < end);
}

HWND ProgramRun::WaitUntilWorking(const wchar_t* productName, DWORD milliseconds) const {
    const std::wstring prefix = std::wstring(productName) + L" - ";
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        if (HWND main = FindWindowOfClass(L"TavroWyvoClass")) {
            wchar_t title[256] = {};
            GetWindowTextW(main, title, 256);
            if (std::wstring(title).rfind(prefix, 0) == 0) return main;
        }
        ServeMessages(50);
    }
    ReportWindows();
    return nullptr;
}

void ProgramRun::ReportWindows() const {
    fprintf(stderr, "program %s (exit code %lu); its top-level windows:\n",
            WaitForSingleObject(process_, 0) == WAIT_TIMEOUT ? "running" : "ended", ExitCode());
    EnumWindows(
        [](HWND window, LPARAM processId) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != static_cast<DWORD>(processId)) return TRUE;
            wchar_t className[128] = {};
            wchar_t title[256] = {};
            GetClassNameW(window, className, 128);
            GetWindowTextW(window, title, 256);
            fprintf(stderr, "  %ls \"%ls\"%s\n", className, title,
                    IsWindowVisible(window) ? "" : " (hidden)");
            return TRUE;
        },
        static_cast<LPARAM>(processId_));
}
