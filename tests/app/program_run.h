#pragma once
// Runs the built tavro.exe as a separate process, from a folder of the test's choosing.
#include <windows.h>

#include <string>

// Path of build/bin/tavro.exe, found from the test program's own location.
std::wstring BuiltProgramPath();
// Copies the program into a folder (it looks for its files next to itself).
bool CopyProgramTo(const std::wstring& folder);
// Copies a file that the build puts beside the program (e.g. "XDL-DEU.dll") into a folder.
bool CopyBesideProgram(const std::wstring& folder, const wchar_t* fileName);

class ProgramRun {
public:
    explicit ProgramRun(const std::wstring& program);
    // Runs the program under a Unix locale (e.g. "de_DE.UTF-8" in LANG and LC_ALL), from which
    // Wine takes the user's languages.
    ProgramRun(const std::wstring& program, const std::wstring& unixLocale);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }
    // Waits for the exit while serving this thread's windows; true when it ended in time.
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const;
    // A top-level window of the program with this class ("#32770" for a box), or null; hidden
    // windows only when asked for.
    HWND FindWindowOfClass(const wchar_t* className, bool visibleOnly = true) const;
    // Waits (serving this thread's windows) for such a window.
    HWND WaitForWindowOfClass(const wchar_t* className, DWORD milliseconds) const;
    // Waits until the program has its main window and has entered its first working Mode (the
    // title then carries a Mode text after the product name). Start-up may rightly spend 21 s
    // waiting for the tray before that, and more on a loaded machine. On a time-out the
    // program's windows are listed on stderr.
    HWND WaitUntilWorking(const wchar_t* productName, DWORD milliseconds = 60000) const;

private:
    void ReportWindows() const;
    void Attach(DWORD processId);

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Serves this thread's messages for a while.
void ServeMessages(DWORD milliseconds);
