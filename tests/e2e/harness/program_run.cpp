#include "program_run.h"

#include "base/notifications.h"
#include "base/program_names.h"
#include "desktop_test_support.h"
#include "harness/program_files.h"

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
    process_.Reset(process.hProcess);
    processId_ = process.dwProcessId;
    return true;
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
