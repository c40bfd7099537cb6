// The built program's chrome: the language library it picks for the user, its first-run
// questions, the ways it is told to end, and its tray icon (hiding in the tray, coming back
// from there, ending the session).
#include "program_support.h"
#include "base/notifications.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

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
        OptionRecord options = OptionsWithoutQuestions();
        options.dontShowIntroduction = 0;
        options.dontAskGainLevel = 0;
        ASSERT_NO_FATAL_FAILURE(WriteProductFiles(options));
        ProgramRun run(Program(), locale);
        ASSERT_TRUE(run.Started());

        HWND introduction = run.WaitForWindowOfClass(L"#32770", 30000);
        ASSERT_NE(introduction, nullptr) << "no introduction at start";
        EXPECT_EQ(TitleOf(introduction), texts.introductionTitle);
        EXPECT_EQ(TitleOf(GetDlgItem(introduction, IDOK)), texts.openButton);
        PostMessageW(introduction, WM_COMMAND, IDCANCEL, 0);

        HWND gain = WaitForOtherBox(run, introduction);
        ASSERT_NE(gain, nullptr) << "no gain level question at start";
        EXPECT_EQ(TitleOf(gain), texts.gainTitle);
        SendMessageW(GetDlgItem(gain, IDC_GAIN_MEDIUM), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(gain, IDC_DONT_ASK_AGAIN), BM_CLICK, 0, 0);
        PostMessageW(gain, WM_COMMAND, IDOK, 0);

        HWND main = run.WaitUntilWorking(kProductName);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(TitleOf(main), std::wstring(kProductName) + L" - " + texts.autoAlignmentTitle);
        OptionRecord stored = {};
        ASSERT_EQ(ReadOptions(stored), FileResult::Ok);
        EXPECT_EQ(stored.gainLevel, 2);
        EXPECT_EQ(stored.trackGainLevel, 2);
        EXPECT_EQ(stored.dontAskGainLevel, 1);

        PostMessageW(main, WM_CLOSE, 0, 0);
        HWND question = run.WaitForWindowOfClass(L"#32770", 10000);
        ASSERT_NE(question, nullptr);
        const std::wstring shown = testsupport::WindowTexts(question);
        EXPECT_NE(shown.find(texts.closeQuestion), std::wstring::npos) << shown.c_str();
        PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(run.WaitForExit(500));

        // The session's end, the quiet close and a close-now request: torn down once, ends with 0.
        PostMessageW(main, WM_ENDSESSION, TRUE, 0);
        PostMessageW(main, kCloseQuietlyMessage, 0, 0);
        PostMessageW(main, kAppNotifyMessage, NotifyCloseNow, 0);
        ExpectEndsWithZero(run);
    }

    // The next dialog box once `previous` has gone.
    static HWND WaitForOtherBox(const ProgramRun& run, HWND previous) {
        const ULONGLONG end = GetTickCount64() + 30000;
        while (GetTickCount64() < end) {
            HWND box = run.FindWindowOfClass(L"#32770");
            if (box && box != previous) return box;
            ServeMessages(50);
        }
        return nullptr;
    }
};

TEST_F(ProgramChrome, AGermanUserGetsTheGermanLibraryInDialogsTitleAndMessageBoxes) {
    ExpectSpeaks(L"de_DE.UTF-8", {L"Einführung", L"Öffnen", L"Verstärkung einstellen",
                                  L"Automatische Ausrichtung ...", L"Tavro Pen jetzt schließen?"});
}

TEST_F(ProgramChrome, AnAmericanUserGetsTheOwnTextsThoughTheDefaultLibraryIsThere) {
    ExpectSpeaks(L"en_US.UTF-8", {L"Introduction", L"Open", L"Gain Level Setting",
                                  L"Auto Alignment ...", L"Close Tavro Pen now?"});
}

// With "Minimize to system tray." on, the title bar's minimise hides the window under the
// tray's hidden owner window.
TEST_F(ProgramChrome, TheTrayHidesTheWindowAndBringsItBack) {
    OptionRecord options = OptionsWithoutQuestions();
    options.minimizeToTray = 1;
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles(options));
    ProgramRun run(Program());
    HWND main = run.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr);
    HWND trayWindow = run.FindWindowOfClass(L"TavroWyvoTrayIconClass", false);
    ASSERT_NE(trayWindow, nullptr) << "the program has no tray icon window";

    // Sent rather than posted, so the program has handled it on return.
    auto send = [main](UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutW(main, message, wParam, lParam, SMTO_NORMAL, 10000, &result), 0);
    };
    auto hideInTray = [&] {
        ASSERT_NO_FATAL_FAILURE(send(WM_SYSCOMMAND, SC_MINIMIZE, 0));
        HWND trayOwner = FindWindowW(L"TavroWyvoTrayIconClass", L"TavroWyvoTrayIconWindow");
        ASSERT_NE(trayOwner, nullptr) << "the window did not go to the tray";
        EXPECT_EQ(GetAncestor(main, GA_PARENT), trayOwner);
        EXPECT_FALSE(IsWindowVisible(main));
    };
    auto expectBackFromTray = [main] {
        EXPECT_EQ(GetAncestor(main, GA_PARENT), GetDesktopWindow());
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_TRUE(IsZoomed(main));
    };

    // A second copy brings the first back from the tray.
    ASSERT_NO_FATAL_FAILURE(hideInTray());
    {
        ProgramRun second(Program());
        ASSERT_TRUE(second.WaitForExit(20000));
        EXPECT_EQ(second.ExitCode(), 0u);
    }
    ServeMessages(300);
    expectBackFromTray();
    EXPECT_FALSE(run.WaitForExit(300));

    // A double click on the icon does, even after the tray option was turned off meanwhile
    // (from the tray menu's Common Setting).
    ASSERT_NO_FATAL_FAILURE(hideInTray());
    PostMessageW(main, WM_COMMAND, IDM_COMMON_SETTING, 0);
    HWND dialog = run.WaitForWindowOfClass(L"#32770", 10000);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, IDC_COMMON_MINIMIZE_TO_TRAY), BM_CLICK, 0, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ServeMessages(500);
    ASSERT_NO_FATAL_FAILURE(send(kTrayCallbackMessage, IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
    ServeMessages(300);
    expectBackFromTray();

    // The session's end reaches the tray window too: only when it really ends, and then the
    // program ends without a question.
    PostMessageW(trayWindow, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(run.WaitForExit(500)) << "a session that goes on must not end the program";
    PostMessageW(trayWindow, WM_ENDSESSION, FALSE, static_cast<LPARAM>(ENDSESSION_LOGOFF));
    ExpectEndsWithZero(run);
}

}  // namespace
