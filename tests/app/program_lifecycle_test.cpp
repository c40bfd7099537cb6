// The built program run from a folder of its own: start-up failures, exit paths, a second copy.
#include "desktop_test_support.h"
#include "product_files.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kCloseQuietly = WM_APP + 11;

class ProgramLifecycle : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyProgramTo(folder.Path())); }

    std::wstring Program() const { return folder.Path() + L"\\tavro.exe"; }

    // The program ends with the file message for tavro_param.und and no window of its own.
    void ExpectParameterFileMessageOnly(ProgramRun& run) {
        ASSERT_TRUE(run.Started());
        HWND box = run.WaitForWindowOfClass(L"#32770", 20000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(run.FindWindowOfClass(L"TavroWyvoClass"), nullptr);
        const std::wstring text = testsupport::WindowTexts(box);
        EXPECT_NE(text.find(L"#10003\n[ tavro_param.und]"), std::wstring::npos) << text.c_str();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ExpectEndsWithZero(run);
    }

    static void ExpectEndsWithZero(ProgramRun& run) {
        ASSERT_TRUE(run.WaitForExit(15000));
        EXPECT_EQ(run.ExitCode(), 0u);
    }

    testsupport::ProgramLock lock;
    testsupport::ScratchDirectory folder{L"program"};
};

TEST_F(ProgramLifecycle, MissingParameterFileEndsBeforeAnyWindow) {
    ProgramRun run(Program());
    ExpectParameterFileMessageOnly(run);
}

TEST_F(ProgramLifecycle, ShortParameterFileEndsTheSameWay) {
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
    const std::string bytes = testsupport::ReadBytes(L"tavro_param.und");
    ASSERT_TRUE(testsupport::WriteBytes(L"tavro_param.und", bytes.data(), bytes.size() - 1));
    ProgramRun run(Program());
    ExpectParameterFileMessageOnly(run);
}

TEST_F(ProgramLifecycle, CloseQuietlyEndsWithoutAsking) {
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
    ProgramRun run(Program());
    HWND main = run.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr) << "the program did not reach its first working Mode";
    PostMessageW(main, kCloseQuietly, 0, 0);
    ExpectEndsWithZero(run);
}

TEST_F(ProgramLifecycle, RepeatedExitTriggersTearDownOnce) {
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
    ProgramRun run(Program());
    HWND main = run.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr) << "the program did not reach its first working Mode";
    PostMessageW(main, WM_ENDSESSION, TRUE, 0);
    PostMessageW(main, kCloseQuietly, 0, 0);
    PostMessageW(main, WM_APP + 2, 5, 0);
    ExpectEndsWithZero(run);
}

TEST_F(ProgramLifecycle, CloseQuestionCancelKeepsRunningAndOkEnds) {
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
    ProgramRun run(Program());
    HWND main = run.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr) << "the program did not reach its first working Mode";

    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND question = run.WaitForWindowOfClass(L"#32770", 10000);
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(run.WaitForExit(1500));
    EXPECT_TRUE(IsWindow(main));

    PostMessageW(main, WM_CLOSE, 0, 0);
    question = run.WaitForWindowOfClass(L"#32770", 10000);
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDOK, 0);
    ExpectEndsWithZero(run);
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

    PostMessageW(main, kCloseQuietly, 0, 0);
    ExpectEndsWithZero(first);
}

}  // namespace
