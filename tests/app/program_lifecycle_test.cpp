// The built program run from a folder of its own: start-up failures, a second copy and the
// close question. Quiet and repeated exits end the runs of the chrome tests.
#include "program_support.h"

#include <gtest/gtest.h>

namespace {

using ProgramLifecycle = ProgramTest;

TEST_F(ProgramLifecycle, MissingOrShortParameterFileEndsBeforeAnyWindow) {
    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "one byte short" : "missing");
        if (present) {
            ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
            const std::string bytes = testsupport::ReadBytes(L"tavro_param.und");
            ASSERT_TRUE(testsupport::WriteBytes(L"tavro_param.und", bytes.data(), bytes.size() - 1));
        }
        ProgramRun run(Program());
        ASSERT_TRUE(run.Started());
        HWND box = run.WaitForWindowOfClass(L"#32770", 20000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(run.FindWindowOfClass(L"TavroWyvoClass"), nullptr);
        const std::wstring text = testsupport::WindowTexts(box);
        EXPECT_NE(text.find(L"#10003\n[ tavro_param.und]"), std::wstring::npos) << text.c_str();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ExpectEndsWithZero(run);
    }
}

TEST_F(ProgramLifecycle, SecondCopyEndsAndTheFirstKeepsRunning) {
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
    ProgramRun first(Program());
    HWND main = first.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ServeMessages(300);

    ProgramRun second(Program());
    ASSERT_TRUE(second.WaitForExit(20000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_FALSE(first.WaitForExit(500));

    // The close question: Cancel keeps the program running, OK ends it.
    for (const WPARAM answer : {IDCANCEL, IDOK}) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        HWND question = first.WaitForWindowOfClass(L"#32770", 10000);
        ASSERT_NE(question, nullptr);
        PostMessageW(question, WM_COMMAND, answer, 0);
        if (answer == IDCANCEL) {
            EXPECT_FALSE(first.WaitForExit(1500));
            EXPECT_TRUE(IsWindow(main));
        }
    }
    ExpectEndsWithZero(first);
}

}  // namespace
