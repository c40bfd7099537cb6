#include "program_run.h"

#include <tlhelp32.h>

#include "base/notifications.h"
#include "base/program_names.h"
#include "desktop_test_support.h"
#include "harness/program_files.h"

namespace {

// The process running `program` (a full path), 0 when there is none.
DWORD FindProcessOf(const std::wstring& program) {
    const UniqueHandle<HANDLE, KernelHandleCloser> snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        const UniqueHandle<HANDLE, KernelHandleCloser> process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        wchar_t image[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (process && QueryFullProcessImageNameW(process.Get(), 0, image, &length) &&
            _wcsicmp(image, program.c_str()) == 0)
            return entry.th32ProcessID;
    }
    return 0;
}

// Starts `program` (a full path) under the locale in LANG and LC_ALL; its process id, or 0 when
// it did not appear within 20 s.
DWORD StartUnderUnixLocale(const std::wstring& program, const std::wstring& unixLocale) {
    // A Windows child inherits Wine's locale from its parent whatever environment it is given,
    // so the program is started by a Unix program that sets the locale first.
    std::wstring commandLine =
        L"/usr/bin/env LC_ALL=" + unixLocale + L" LANG=" + unixLocale + L" wine \"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\usr\\bin\\env", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return 0;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    // The Unix starter cannot be waited for: look for the program's own process instead.
    DWORD processId = 0;
    WaitUntil(20000, [&] { return (processId = FindProcessOf(program)) != 0; });
    return processId;
}

}  // namespace

ProgramRun::~ProgramRun() {
    if (!Running()) return;
    TerminateProcess(process_.Get(), 99);
    // Gone before the next run starts, so that it does not meet this one as a running copy.
    WaitForSingleObject(process_.Get(), 5000);
}

bool ProgramRun::Start() {
    const std::wstring folder = kProgramFolder;
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

bool ProgramRun::StartUnderLocale(const std::wstring& unixLocale) {
    const DWORD processId = StartUnderUnixLocale(std::wstring(kProgramFolder) + L"\\tavro.exe", unixLocale);
    if (!processId) return false;
    Attach(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId), processId);
    return static_cast<bool>(process_);
}

void ProgramRun::Attach(HANDLE process, DWORD processId) {
    process_.Reset(process);
    processId_ = process ? processId : 0;
}

bool ProgramRun::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

HWND ProgramRun::MainWindow() const {
    for (HWND window : testsupport::WindowsOfProcess(processId_, true)) {
        if (testsupport::ClassOf(window) == kMainWindowClass) return window;
        // Hidden in the tray, the main window is a child of the tray's hidden owner window.
        if (HWND child = FindWindowExW(window, nullptr, kMainWindowClass, nullptr)) return child;
    }
    return nullptr;
}

std::wstring ProgramRun::Title() const {
    HWND window = MainWindow();
    return window ? testsupport::WindowText(window) : L"";
}

bool ProgramRun::WaitForTitle(const std::wstring& text, DWORD timeoutMs) const {
    const auto shown = [&] { return Title().find(text) != std::wstring::npos; };
    return WaitUntil(timeoutMs, [&] { return shown() || !Running(); }) && shown();
}

void ProgramRun::RequestStop() const {
    if (HWND window = MainWindow()) PostMessageW(window, kCloseQuietlyMessage, 0, 0);
}

bool ProgramRun::CheckEndsWithZero(DWORD timeoutMs, const std::string& name, Report& report) const {
    DWORD exitCode = 1;
    const bool ended = WaitForExit(timeoutMs, &exitCode);
    report.Figure(name + "_exit_code", ended ? exitCode : -1.0, 0);
    return report.Check(ended && exitCode == 0, name + "_exit_code_0");
}

bool ProgramRun::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process_.Get(), exitCode) != FALSE;
}
