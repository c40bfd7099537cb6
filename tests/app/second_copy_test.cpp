// A second copy of the program finds the running one, brings it forward and ends with 0.
// The running copy is stood in for by this test: its mutex and its windows.
#include "desktop_test_support.h"
#include "program_run.h"

#include <gtest/gtest.h>

namespace {

constexpr WORD kRestoreCommand = 40002;
int g_restoreCommands = 0;

LRESULT CALLBACK RunningCopyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kRestoreCommand) {
        ++g_restoreCommands;
        ShowWindow(window, SW_RESTORE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class SecondCopy : public ::testing::Test {
protected:
    void SetUp() override {
        g_restoreCommands = 0;
        mutex_ = CreateMutexW(nullptr, FALSE, L"TavroWyvoMutex");
        ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        RegisterClassOnce(L"TavroWyvoClass");
        RegisterClassOnce(L"TavroWyvoTrayIconClass");
    }

    void TearDown() override {
        for (HWND w : windows_) DestroyWindow(w);
        CloseHandle(mutex_);
    }

    HWND MakeWindow(const wchar_t* className, const wchar_t* title, DWORD style, HWND parent) {
        HWND w = CreateWindowExW(0, className, title, style, 10, 10, 300, 200, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        windows_.push_back(w);
        return w;
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

private:
    static void RegisterClassOnce(const wchar_t* name) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = RunningCopyProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = name;
        RegisterClassW(&windowClass);
    }

    testsupport::ProgramLock lock_;
    HANDLE mutex_ = nullptr;
    std::vector<HWND> windows_;
};

TEST_F(SecondCopy, RestoresAMinimisedRunningCopyAndEnds) {
    HWND running = MakeWindow(L"TavroWyvoClass", L"running", WS_OVERLAPPEDWINDOW, nullptr);
    ShowWindow(running, SW_MINIMIZE);
    EXPECT_EQ(RunSecondCopy(), 0u);
    EXPECT_EQ(g_restoreCommands, 1);
    EXPECT_FALSE(IsIconic(running));
}

TEST_F(SecondCopy, OnlyBringsAVisibleRunningCopyForward) {
    HWND running = MakeWindow(L"TavroWyvoClass", L"running", WS_OVERLAPPEDWINDOW, nullptr);
    ShowWindow(running, SW_SHOWNORMAL);
    EXPECT_EQ(RunSecondCopy(), 0u);
    EXPECT_EQ(g_restoreCommands, 0);
}

TEST_F(SecondCopy, FindsTheMainWindowUnderTheTrayWindow) {
    HWND tray = MakeWindow(L"TavroWyvoTrayIconClass", L"TavroWyvoTrayIconWindow",
                           WS_OVERLAPPEDWINDOW, nullptr);
    MakeWindow(L"TavroWyvoClass", L"hidden main", WS_CHILD, tray);
    EXPECT_EQ(RunSecondCopy(), 0u);
    EXPECT_EQ(g_restoreCommands, 1);
}

TEST_F(SecondCopy, EndsSilentlyWhenTheRunningCopyHasNoWindow) {
    EXPECT_EQ(RunSecondCopy(), 0u);
    EXPECT_EQ(g_restoreCommands, 0);
}

}  // namespace
