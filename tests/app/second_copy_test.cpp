// A second copy of the program ends with 0 even when the running one, stood in for by this
// test's mutex and main window, needs no restoring or has no window at all. Bringing a real
// running copy forward is the program lifecycle and chrome tests' business.
#include "base/unique_handle.h"
#include "desktop_test_support.h"
#include "program_run.h"

#include <gtest/gtest.h>

namespace {

constexpr WORD kRestoreCommand = 40002;
int g_restoreCommands = 0;

LRESULT CALLBACK RunningCopyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kRestoreCommand) ++g_restoreCommands;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Runs a copy of the program; returns its exit code, or STILL_ACTIVE when it kept running.
DWORD RunSecondCopy() {
    ProgramRun run(BuiltProgramPath());
    EXPECT_TRUE(run.Started());
    if (!run.WaitForExit(20000)) return STILL_ACTIVE;
    // It shows nothing of its own.
    EXPECT_EQ(run.FindWindowOfClass(L"#32770"), nullptr);
    return run.ExitCode();
}

TEST(SecondCopy, EndsSilentlyWithoutRestoringAVisibleOrAMissingWindow) {
    testsupport::ProgramLock lock;
    UniqueHandle<HANDLE, KernelHandleCloser> mutex(CreateMutexW(nullptr, FALSE, L"TavroWyvoMutex"));
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(RunSecondCopy(), 0u) << "no window";

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RunningCopyProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TavroWyvoClass";
    RegisterClassW(&windowClass);
    UniqueWindow running(CreateWindowExW(0, windowClass.lpszClassName, L"running", WS_OVERLAPPEDWINDOW, 10,
                                         10, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr));
    ShowWindow(running.Get(), SW_SHOWNORMAL);
    EXPECT_EQ(RunSecondCopy(), 0u) << "visible window";
    EXPECT_EQ(g_restoreCommands, 0);
}

}  // namespace
