// The built program's chrome: a missing parameter file, the language library it picks for the
// user, its first-run questions and the ways it is told to end. (Hiding in the tray and ending
// the session are the tray tests' and the end-to-end scenarios' business.)
#include "program_support.h"
#include "base/notifications.h"
#include "resources/dialog_ids.h"

#include <gtest/gtest.h>

namespace {

// What the user sees of one language.
struct LanguageTexts {
    const wchar_t* introductionTitle;
    const wchar_t* openButton;
    const wchar_t* gainTitle;
    const wchar_t* autoAlignmentTitle;
    const wchar_t* closeQuestion;
};

class ProgramChrome : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(CopyBesideProgram(folder.Path(), L"XDL-DEU.dll"));
        ASSERT_TRUE(CopyBesideProgram(folder.Path(), L"XDL-DEF.dll"));
    }

    // Starts the program under `locale` with both first-run questions: leaves the introduction
    // with Exit, answers "Gain medium" and "Don't ask again", cancels the close question and
    // ends the program with every exit message at once.
    void ExpectSpeaks(const wchar_t* locale, const LanguageTexts& texts) {
        OptionRecord options = QuietStartOptions();
        options.dontShowIntroduction = 0;
        options.dontAskGainLevel = 0;
        ASSERT_NO_FATAL_FAILURE(WriteProductFiles(options));
        ProgramRun run;
        ASSERT_TRUE(run.StartUnderLocale(locale, folder.Path()));

        HWND introduction = WaitForWindowOfClass(run, L"#32770", 30000);
        ASSERT_NE(introduction, nullptr) << "no introduction at start";
        EXPECT_EQ(testsupport::WindowText(introduction), texts.introductionTitle);
        EXPECT_EQ(testsupport::WindowText(GetDlgItem(introduction, IDOK)), texts.openButton);
        PostMessageW(introduction, WM_COMMAND, IDCANCEL, 0);

        HWND gain = WaitForOtherBox(run, introduction);
        ASSERT_NE(gain, nullptr) << "no gain level question at start";
        EXPECT_EQ(testsupport::WindowText(gain), texts.gainTitle);
        SendMessageW(GetDlgItem(gain, IDC_GAIN_MEDIUM), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(gain, IDC_DONT_ASK_AGAIN), BM_CLICK, 0, 0);
        PostMessageW(gain, WM_COMMAND, IDOK, 0);

        HWND main = WaitUntilWorking(run);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(testsupport::WindowText(main), std::wstring(kProductName) + L" - " + texts.autoAlignmentTitle);
        OptionRecord stored = {};
        ASSERT_EQ(ReadOptions(stored), FileResult::Ok);
        EXPECT_EQ(stored.gainLevel, 2);
        EXPECT_EQ(stored.trackGainLevel, 2);
        EXPECT_EQ(stored.dontAskGainLevel, 1);

        PostMessageW(main, WM_CLOSE, 0, 0);
        HWND question = WaitForWindowOfClass(run, L"#32770", 10000);
        ASSERT_NE(question, nullptr);
        const std::wstring shown = testsupport::WindowTexts(question);
        EXPECT_NE(shown.find(texts.closeQuestion), std::wstring::npos) << shown.c_str();
        PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
        Sleep(500);
        EXPECT_TRUE(run.Running());

        // The session's end, the quiet close and a close-now request: torn down once, ends with 0.
        PostMessageW(main, WM_ENDSESSION, TRUE, 0);
        PostMessageW(main, kCloseQuietlyMessage, 0, 0);
        PostMessageW(main, kAppNotifyMessage, NotifyCloseNow, 0);
        ExpectEndsWithZero(run);
    }

    // The next dialog box once `previous` has gone.
    static HWND WaitForOtherBox(const ProgramRun& run, HWND previous) {
        for (const ULONGLONG end = GetTickCount64() + 30000; GetTickCount64() < end; Sleep(50)) {
            HWND box = WaitForWindowOfClass(run, L"#32770", 0);
            if (box && box != previous) return box;
        }
        return nullptr;
    }
};

TEST_F(ProgramChrome, MissingOrShortParameterFileEndsBeforeAnyWindow) {
    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "one byte short" : "missing");
        if (present) {
            ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
            const std::string bytes = testsupport::ReadBytes(L"tavro_param.und");
            ASSERT_TRUE(testsupport::WriteBytes(L"tavro_param.und", bytes.data(), bytes.size() - 1));
        }
        ProgramRun run;
        ASSERT_TRUE(run.Start(folder.Path()));
        HWND box = WaitForWindowOfClass(run, L"#32770", 20000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(run.MainWindow(), nullptr);
        const std::wstring text = testsupport::WindowTexts(box);
        EXPECT_NE(text.find(L"#10003\n[ tavro_param.und]"), std::wstring::npos) << text.c_str();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ExpectEndsWithZero(run);
    }
}

TEST_F(ProgramChrome, AGermanUserGetsTheGermanLibraryInDialogsTitleAndMessageBoxes) {
    ExpectSpeaks(L"de_DE.UTF-8", {L"Einführung", L"Öffnen", L"Verstärkung einstellen",
                                  L"Automatische Ausrichtung ...", L"Tavro Pen jetzt schließen?"});
}

}  // namespace
