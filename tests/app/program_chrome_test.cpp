// The built program's chrome: the language library it picks for the user, its first-run
// questions, and its tray icon (double click, ending the session, hiding in the tray and
// coming back from there).
#include "desktop_test_support.h"
#include "product_files.h"
#include "program_run.h"
#include "controller/notifications.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/option_record.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

std::wstring TitleOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ControlTextOf(HWND dialog, int controlId) {
    return TitleOf(GetDlgItem(dialog, controlId));
}

// What the user sees of one language.
struct LanguageTexts {
    const wchar_t* introductionTitle;
    const wchar_t* openButton;
    const wchar_t* autoAlignmentTitle;
    const wchar_t* closeQuestion;
};

class ProgramChrome : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyProgramTo(folder.Path()));
        ASSERT_TRUE(CopyBesideProgram(folder.Path(), L"XDL-DEU.dll"));
        ASSERT_TRUE(CopyBesideProgram(folder.Path(), L"XDL-DEF.dll"));
    }

    std::wstring Program() const { return folder.Path() + L"\\tavro.exe"; }

    // Starts the program under `locale` with the introduction to be shown, leaves the
    // introduction with Exit, cancels the close question and ends the program.
    void ExpectSpeaks(const wchar_t* locale, const LanguageTexts& texts) {
        OptionRecord options = OptionsWithoutQuestions();
        options.dontShowIntroduction = 0;
        ASSERT_NO_FATAL_FAILURE(WriteProductFiles(options));
        ProgramRun run(Program(), locale);
        ASSERT_TRUE(run.Started());

        HWND introduction = run.WaitForWindowOfClass(L"#32770", 30000);
        ASSERT_NE(introduction, nullptr) << "no introduction at start";
        EXPECT_EQ(TitleOf(introduction), texts.introductionTitle);
        EXPECT_EQ(ControlTextOf(introduction, IDOK), texts.openButton);
        PostMessageW(introduction, WM_COMMAND, IDCANCEL, 0);

        HWND main = run.WaitUntilWorking(kProductName);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(TitleOf(main), std::wstring(kProductName) + L" - " + texts.autoAlignmentTitle);

        PostMessageW(main, WM_CLOSE, 0, 0);
        HWND question = run.WaitForWindowOfClass(L"#32770", 10000);
        ASSERT_NE(question, nullptr);
        const std::wstring shown = testsupport::WindowTexts(question);
        EXPECT_NE(shown.find(texts.closeQuestion), std::wstring::npos) << shown.c_str();
        PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(run.WaitForExit(500));

        PostMessageW(main, kCloseQuietlyMessage, 0, 0);
        ASSERT_TRUE(run.WaitForExit(15000));
        EXPECT_EQ(run.ExitCode(), 0u);
    }

    testsupport::ProgramLock lock;
    testsupport::ScratchDirectory folder{L"program"};
};

TEST_F(ProgramChrome, AGermanUserGetsTheGermanLibraryInDialogsTitleAndMessageBoxes) {
    ExpectSpeaks(L"de_DE.UTF-8", {L"Einführung", L"Öffnen", L"Automatische Ausrichtung ...",
                                  L"Tavro Pen jetzt schließen?"});
}

TEST_F(ProgramChrome, AnAmericanUserGetsTheOwnTextsThoughTheDefaultLibraryIsThere) {
    ExpectSpeaks(L"en_US.UTF-8",
                 {L"Introduction", L"Open", L"Auto Alignment ...", L"Close Tavro Pen now?"});
}

TEST_F(ProgramChrome, TheGainLevelAskedAtTheFirstStartIsStored) {
    OptionRecord options = OptionsWithoutQuestions();
    options.dontAskGainLevel = 0;
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles(options));
    ProgramRun run(Program());
    HWND dialog = run.WaitForWindowOfClass(L"#32770", 30000);
    ASSERT_NE(dialog, nullptr) << "no gain level question at start";
    EXPECT_EQ(TitleOf(dialog), L"Gain Level Setting");
    SendMessageW(GetDlgItem(dialog, IDC_GAIN_MEDIUM), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(dialog, IDC_DONT_ASK_AGAIN), BM_CLICK, 0, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);

    HWND main = run.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr);
    OptionRecord stored = {};
    ASSERT_EQ(ReadOptions(stored), FileResult::Ok);
    EXPECT_EQ(stored.gainLevel, 2);
    EXPECT_EQ(stored.trackGainLevel, 2);
    EXPECT_EQ(stored.dontAskGainLevel, 1);
    PostMessageW(main, kCloseQuietlyMessage, 0, 0);
    ASSERT_TRUE(run.WaitForExit(15000));
}

TEST_F(ProgramChrome, ADoubleClickOnTheTrayIconRestoresTheMinimisedWindow) {
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
    ProgramRun run(Program());
    HWND main = run.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr);
    // Minimised from outside: the title bar's minimise is refused while the Controller is busy.
    ShowWindow(main, SW_MINIMIZE);
    ServeMessages(300);
    // Minimised to the tray, as the option asks.
    ASSERT_TRUE(IsIconic(main) || !IsWindowVisible(main));

    PostMessageW(main, kTrayCallbackMessage, IDR_TRAY_MENU, WM_LBUTTONDBLCLK);
    ServeMessages(500);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsZoomed(main));

    PostMessageW(main, kCloseQuietlyMessage, 0, 0);
    ASSERT_TRUE(run.WaitForExit(15000));
}

TEST_F(ProgramChrome, EndingTheSessionClosesThroughTheTrayWindowWithoutAQuestion) {
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles());
    ProgramRun run(Program());
    ASSERT_NE(run.WaitUntilWorking(kProductName), nullptr);
    HWND trayWindow = run.FindWindowOfClass(L"TavroWyvoTrayIconClass", false);
    ASSERT_NE(trayWindow, nullptr) << "the program has no tray icon window";

    PostMessageW(trayWindow, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(run.WaitForExit(500)) << "a session that goes on must not end the program";
    PostMessageW(trayWindow, WM_ENDSESSION, FALSE, static_cast<LPARAM>(ENDSESSION_LOGOFF));
    // Nobody answers a question here: the program ends on its own.
    ASSERT_TRUE(run.WaitForExit(15000));
    EXPECT_EQ(run.ExitCode(), 0u);
}

// The program with "Minimize to system tray." on, minimised from its title bar: its window
// then hides under the tray's hidden owner window.
class ProgramInTray : public ProgramChrome {
protected:
    void SetUp() override {
        ProgramChrome::SetUp();
        OptionRecord options = OptionsWithoutQuestions();
        options.minimizeToTray = 1;
        ASSERT_NO_FATAL_FAILURE(WriteProductFiles(options));
    }

    // Sends rather than posts, so the program has handled it on return.
    static void Send(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutW(main, message, wParam, lParam, SMTO_NORMAL, 10000, &result), 0);
    }

    static void HideInTray(HWND main) {
        ASSERT_NO_FATAL_FAILURE(Send(main, WM_SYSCOMMAND, SC_MINIMIZE, 0));
        HWND trayOwner = FindWindowW(L"TavroWyvoTrayIconClass", L"TavroWyvoTrayIconWindow");
        ASSERT_NE(trayOwner, nullptr) << "the window did not go to the tray";
        EXPECT_EQ(GetAncestor(main, GA_PARENT), trayOwner);
        EXPECT_FALSE(IsWindowVisible(main));
    }

    static void ExpectBackFromTray(HWND main) {
        EXPECT_EQ(GetAncestor(main, GA_PARENT), GetDesktopWindow());
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_TRUE(IsZoomed(main));
    }

    static void CloseQuietly(ProgramRun& run, HWND main) {
        PostMessageW(main, kCloseQuietlyMessage, 0, 0);
        ASSERT_TRUE(run.WaitForExit(15000));
        EXPECT_EQ(run.ExitCode(), 0u);
    }
};

TEST_F(ProgramInTray, ASecondCopyBringsTheFirstBackFromTheTray) {
    ProgramRun first(Program());
    HWND main = first.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr);
    ASSERT_NO_FATAL_FAILURE(HideInTray(main));

    ProgramRun second(Program());
    ASSERT_TRUE(second.WaitForExit(20000));
    EXPECT_EQ(second.ExitCode(), 0u);
    ServeMessages(300);
    ExpectBackFromTray(main);
    EXPECT_FALSE(first.WaitForExit(300));
    CloseQuietly(first, main);
}

TEST_F(ProgramInTray, TheWindowComesBackEvenAfterTheTrayOptionWasTurnedOff) {
    ProgramRun run(Program());
    HWND main = run.WaitUntilWorking(kProductName);
    ASSERT_NE(main, nullptr);
    ASSERT_NO_FATAL_FAILURE(HideInTray(main));

    // The tray menu's Common Setting, with "Minimize to system tray." unticked.
    PostMessageW(main, WM_COMMAND, IDM_COMMON_SETTING, 0);
    HWND dialog = run.WaitForWindowOfClass(L"#32770", 10000);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, IDC_COMMON_MINIMIZE_TO_TRAY), BM_CLICK, 0, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ServeMessages(500);

    ASSERT_NO_FATAL_FAILURE(Send(main, kTrayCallbackMessage, IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
    ServeMessages(300);
    ExpectBackFromTray(main);
    CloseQuietly(run, main);
}

}  // namespace
