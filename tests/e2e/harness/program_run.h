#pragma once
// The program under test: started from its folder in the prefix (C:\tavro, where scripts/e2e
// places the build's bin folder), watched through its main window, stopped and checked.
#include <windows.h>

#include <string>

#include "base/unique_handle.h"
#include "harness/scenario.h"

class ProgramRun {
public:
    ProgramRun() = default;
    ~ProgramRun();  // ends the program if it still runs
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Started from this runner, under its locale.
    bool Start();
    DWORD ProcessId() const { return processId_; }
    bool Running() const;
    // The program's main window (class TavroWyvoClass); null while there is none.
    HWND MainWindow() const;
    std::wstring Title() const;
    // Waits until the main window's title contains `text`.
    bool WaitForTitle(const std::wstring& text, DWORD timeoutMs) const;
    // Asks the program to shut down without questions (CloseQuietly).
    void RequestStop() const;
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode) const;
    // Waits for the program to end by itself and checks it ended with code 0 (`name`_exit_code).
    bool CheckEndsWithZero(DWORD timeoutMs, const std::string& name, Report& report) const;

private:
    UniqueHandle<HANDLE, KernelHandleCloser> process_;
    DWORD processId_ = 0;
};
