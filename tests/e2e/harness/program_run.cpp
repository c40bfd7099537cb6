#include "program_run.h"

#include <tlhelp32.h>

#include <vector>

#include "base/notifications.h"
#include "base/program_names.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64];
    if (owner != search->processId) return TRUE;
    if (GetClassNameW(window, name, 64) && wcscmp(name, kMainWindowClass) == 0) {
        search->found = window;
        return FALSE;
    }
    // Hidden in the tray, the main window is a child of the tray's hidden owner window.
    search->found = FindWindowExW(window, nullptr, kMainWindowClass, nullptr);
    return search->found ? FALSE : TRUE;
}

// The process running `program` (a full path), 0 when there is none.
DWORD FindProcessOf(const std::wstring& program) {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        UniqueHandle<HANDLE, KernelHandleCloser> process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        wchar_t image[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (process && QueryFullProcessImageNameW(process.Get(), 0, image, &length) &&
            _wcsicmp(image, program.c_str()) == 0)
            return entry.th32ProcessID;
    }
    return 0;
}

}  // namespace

ProgramRun::~ProgramRun() {
    if (!Running()) return;
    TerminateProcess(process_.Get(), 99);
    // Gone before the next run starts, so that it does not meet this one as a running copy.
    WaitForSingleObject(process_.Get(), 5000);
}

bool ProgramRun::Start(const std::wstring& folder) {
    std::wstring commandLine = L"\"" + folder + L"\\tavro.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    Attach(process.hProcess, process.dwProcessId);
    return true;
}

bool ProgramRun::StartUnderLocale(const std::wstring& folder, const std::wstring& unixLocale) {
    // A Windows child inherits Wine's locale from its parent whatever environment it is given,
    // so the program is started by a Unix program that sets the locale first.
    const std::wstring program = folder + L"\\tavro.exe";
    std::wstring commandLine = L"/usr/bin/env LC_ALL=" + unixLocale + L" LANG=" + unixLocale + L" wine \"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION starter{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\env", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &starter))
        return false;
    CloseHandle(starter.hThread);
    CloseHandle(starter.hProcess);
    // The Unix starter cannot be waited for: look for the program's own process instead.
    for (const ULONGLONG end = GetTickCount64() + 20000; GetTickCount64() < end; Sleep(100)) {
        if (const DWORD processId = FindProcessOf(program)) {
            Attach(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId), processId);
            return static_cast<bool>(process_);
        }
    }
    return false;
}

void ProgramRun::Attach(HANDLE process, DWORD processId) {
    process_.Reset(process);
    processId_ = process ? processId : 0;
}

bool ProgramRun::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

HWND ProgramRun::MainWindow() const {
    WindowSearch search{processId_, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ProgramRun::Title() const {
    HWND window = MainWindow();
    if (!window) return L"";
    std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1);
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool ProgramRun::WaitForTitle(const std::wstring& text, DWORD timeoutMs) const {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        if (Title().find(text) != std::wstring::npos) return true;
        Sleep(50);
    } while (GetTickCount64() < end && Running());
    return Title().find(text) != std::wstring::npos;
}

bool ProgramRun::Stop(DWORD timeoutMs, DWORD* exitCode) {
    if (HWND window = MainWindow()) PostMessageW(window, kCloseQuietlyMessage, 0, 0);
    return WaitForExit(timeoutMs, exitCode);
}

bool ProgramRun::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process_.Get(), exitCode) != FALSE;
}
