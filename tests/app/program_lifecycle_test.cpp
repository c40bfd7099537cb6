// The built program run from a folder of its own: start-up failures, exit paths, a second copy.
#include "desktop_test_support.h"
#include "program_run.h"
#include "alignment/detector_file.h"
#include "settings/chessboard_layout_record.h"
#include "settings/core_parameter_record.h"
#include "settings/option_record.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

constexpr wchar_t kProductName[] = L"Tavro Pen";
constexpr UINT kCloseQuietly = WM_APP + 11;

class ProgramLifecycle : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyProgramTo(folder.Path())); }

    std::wstring Program() const { return folder.Path() + L"\\tavro.exe"; }

    void WriteProductFiles() {
        CoreParameterRecord parameters = DefaultCoreParameters();
        wcscpy(parameters.companyName, L"Tavro");
        wcscpy(parameters.productName, kProductName);
        ASSERT_EQ(WriteCoreParameters(parameters), FileResult::Ok);
        ASSERT_EQ(WriteChessboardLayout(DefaultChessboardLayout()), FileResult::Ok);
        const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
        ASSERT_EQ(WriteDetectorProfiles(kDetectorFileName, &lens, 1), FileResult::Ok);
        OptionRecord options = DefaultOptions();
        options.dontAskGainLevel = 1;
        options.dontShowIntroduction = 1;
        ASSERT_EQ(WriteOptions(options), FileResult::Ok);
    }

    // Waits until the program has its main window and has entered its first working Mode
    // (the title then carries a Mode text after the product name).
    HWND WaitUntilWorking(const ProgramRun& run) {
        const std::wstring prefix = std::wstring(kProductName) + L" - ";
        const ULONGLONG end = GetTickCount64() + 30000;
        while (GetTickCount64() < end) {
            if (HWND main = run.FindWindowOfClass(L"TavroWyvoClass")) {
                wchar_t title[256] = {};
                GetWindowTextW(main, title, 256);
                if (std::wstring(title).rfind(prefix, 0) == 0) return main;
            }
            ServeMessages(50);
        }
        return nullptr;
    }

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
    WriteProductFiles();
    const std::string bytes = testsupport::ReadBytes(L"tavro_param.und");
    ASSERT_TRUE(testsupport::WriteBytes(L"tavro_param.und", bytes.data(), bytes.size() - 1));
    ProgramRun run(Program());
    ExpectParameterFileMessageOnly(run);
}

TEST_F(ProgramLifecycle, CloseQuietlyEndsWithoutAsking) {
    WriteProductFiles();
    ProgramRun run(Program());
    HWND main = WaitUntilWorking(run);
    ASSERT_NE(main, nullptr) << "the program did not reach its first working Mode";
    PostMessageW(main, kCloseQuietly, 0, 0);
    ExpectEndsWithZero(run);
}

TEST_F(ProgramLifecycle, RepeatedExitTriggersTearDownOnce) {
    WriteProductFiles();
    ProgramRun run(Program());
    HWND main = WaitUntilWorking(run);
    ASSERT_NE(main, nullptr) << "the program did not reach its first working Mode";
    PostMessageW(main, WM_ENDSESSION, TRUE, 0);
    PostMessageW(main, kCloseQuietly, 0, 0);
    PostMessageW(main, WM_APP + 2, 5, 0);
    ExpectEndsWithZero(run);
}

TEST_F(ProgramLifecycle, CloseQuestionCancelKeepsRunningAndOkEnds) {
    WriteProductFiles();
    ProgramRun run(Program());
    HWND main = WaitUntilWorking(run);
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
    WriteProductFiles();
    ProgramRun first(Program());
    HWND main = WaitUntilWorking(first);
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
