// The built program's main window with the virtual sensor: commands, keys, busy rules and a
// desktop-size change that is none.
#include "program_support.h"
#include "base/notifications.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr wchar_t kAuto[] = L" - Auto Alignment ...";
constexpr wchar_t kManual[] = L" - Manual Alignment...";
constexpr wchar_t kFindGain[] = L" - Find gain";
constexpr wchar_t kTrack[] = L" - Track";
constexpr DWORD kWait = 10000;

// Returns once the window's thread has taken a message sent now, i.e. is back in its message
// loop; false when it did not within the wait.
bool WaitUntilServing(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kWait, &result) != 0;
}

// Presses the keys in order and releases them in reverse, one event at a time: the program
// asks GetAsyncKeyState for Ctrl and Alt while it handles the letter. Wine takes the key state
// over from the X server whenever the program's window gets the X focus, which drops a Ctrl
// injected before the program has seen that focus event: the program must be back in its
// message loop after its last activation before the first key goes.
void PressKeys(HWND window, std::initializer_list<WORD> keys) {
    ASSERT_TRUE(WaitUntilServing(window));
    Sleep(100);
    auto send = [](WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        Sleep(150);
    };
    for (WORD key : keys) send(key, 0);
    for (auto it = keys.end(); it != keys.begin();) send(*--it, KEYEVENTF_KEYUP);
    Sleep(200);
}

// Makes the window the one that gets the keys, unless it is already.
void BringToKeys(HWND window) {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
}

// Destroying a window can take Wine a few seconds without a window manager.
bool WaitUntilGone(HWND window) {
    const ULONGLONG end = GetTickCount64() + kWait;
    while (IsWindow(window) && GetTickCount64() < end) Sleep(50);
    return !IsWindow(window);
}

bool MinimisedOrHidden(HWND window) {
    return IsIconic(window) || !IsWindowVisible(window);
}

class MainWindow : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WriteProductFiles(PlainOptions());
    }

    // Plain minimising: the tray's own hiding is the tray tests' business.
    static OptionRecord PlainOptions() {
        OptionRecord options = QuietStartOptions();
        options.minimizeToTray = 0;
        return options;
    }

    void TearDown() override {
        if (main && IsWindow(main)) PostMessageW(main, kCloseQuietlyMessage, 0, 0);
        DWORD exitCode = 1;
        if (run) {
            EXPECT_TRUE(run->WaitForExit(15000, &exitCode));
        }
    }

    void Start(const wchar_t* firstMode = kAuto) {
        run = std::make_unique<ProgramRun>();
        ASSERT_TRUE(run->Start(folder.Path()));
        main = WaitUntilWorking(*run);
        ASSERT_NE(main, nullptr) << "the program did not reach its first working Mode";
        ASSERT_TRUE(WaitForTitleEnding(main, firstMode, kWait)) << testsupport::WindowText(main).c_str();
    }

    // Posts the message, waits for the box or dialog it opens, expects `part` in its texts and
    // closes it with `closeWith`.
    void ExpectBoxFrom(UINT message, WPARAM wParam, LPARAM lParam, const wchar_t* part,
                       WPARAM closeWith = IDOK) {
        PostMessageW(main, message, wParam, lParam);
        HWND box = WaitForWindowOfClass(*run, L"#32770", kWait);
        ASSERT_NE(box, nullptr) << message << " " << wParam << ": nothing opened";
        const std::wstring text = testsupport::WindowText(box) + L"\n" + testsupport::WindowTexts(box);
        EXPECT_TRUE(Contains(text, part)) << wParam << ": " << std::string(text.begin(), text.end());
        PostMessageW(box, WM_COMMAND, closeWith, 0);
        const ULONGLONG end = GetTickCount64() + kWait;
        while (IsWindow(box) && IsWindowVisible(box) && GetTickCount64() < end) Sleep(30);
    }

    void ExpectBox(UINT command, WPARAM closeWith, const wchar_t* part) {
        ExpectBoxFrom(WM_COMMAND, command, 0, part, closeWith);
    }

    // Ctrl+Alt+X asks "Close Tavro Pen now?"; Cancel keeps the program as it was.
    void CancelCloseQuestionFromKeys() {
        BringToKeys(main);
        PressKeys(main, {VK_CONTROL, VK_MENU, 'X'});
        HWND question = WaitForWindowOfClass(*run, L"#32770", kWait);
        ASSERT_NE(question, nullptr);
        EXPECT_TRUE(Contains(testsupport::WindowTexts(question), L"Close Tavro Pen now?"));
        PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
        Sleep(500);
    }

    // The title bar's command, handled by the time this returns; false when it was not.
    bool SendSysCommand(WPARAM command) const {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(main, WM_SYSCOMMAND, command, 0, SMTO_NORMAL, kWait, &result) != 0;
    }

    // True when no box opens within a while.
    bool NoBoxOpens() const { return WaitForWindowOfClass(*run, L"#32770", 1500) == nullptr; }

    static bool Contains(const std::wstring& text, const wchar_t* part) {
        return text.find(part) != std::wstring::npos;
    }

    testsupport::CursorLock cursor;
    std::unique_ptr<ProgramRun> run;
    HWND main = nullptr;
};

// One run: the keys first (they need the window in front), then every command id. What the
// Controller does with the private messages is the controller tests' business; the scenarios'
// runs through the Modes go by them.
TEST_F(MainWindow, KeysAndCommandsReachOnlyTheirActions) {
    Start();
    BringToKeys(main);
    // No gain found yet: Ctrl+T beeps and changes nothing; a plain M does nothing.
    PressKeys(main, {VK_CONTROL, 'T'});
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, 100));
    PressKeys(main, {'M'});
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, 100));
    PressKeys(main, {VK_CONTROL, 'M'});
    EXPECT_TRUE(WaitForTitleEnding(main, kManual, kWait)) << testsupport::WindowText(main).c_str();
    PressKeys(main, {VK_CONTROL, 'A'});
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, kWait));
    // Without a usable alignment Ctrl+G only beeps.
    PressKeys(main, {VK_CONTROL, 'G'});
    EXPECT_TRUE(NoBoxOpens());
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, 100));
    PressKeys(main, {VK_F2});
    HWND buttons = WaitForWindowOfClass(*run, L"TavroPBTClass", kWait);
    ASSERT_NE(buttons, nullptr);
    PressKeys(main, {VK_ESCAPE});
    EXPECT_TRUE(WaitUntilGone(buttons));
    CancelCloseQuestionFromKeys();
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, 100));

    PostMessageW(main, WM_COMMAND, IDM_MANUAL_ALIGNMENT, 0);
    EXPECT_TRUE(WaitForTitleEnding(main, kManual, kWait));
    PostMessageW(main, WM_COMMAND, IDM_AUTO_ALIGNMENT, 0);
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, kWait));
    // Find Threshold goes to EnterMode unasked, which refuses without a usable alignment.
    ExpectBox(IDM_FIND_THRESHOLD, IDOK, L"Please do alignment first.");
    // Ctrl+Alt+Shift+G is the program's while it runs, and it is Find Threshold.
    const bool hotkeyFree = RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL | MOD_SHIFT, 'G');
    if (hotkeyFree) UnregisterHotKey(nullptr, 1);
    EXPECT_FALSE(hotkeyFree);
    ExpectBoxFrom(WM_HOTKEY, kFindThresholdHotkeyId, 0, L"Please do alignment first.");
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, 100));
    ExpectBox(IDM_COMMON_SETTING, IDCANCEL, L"Common setting");
    ExpectBox(IDM_GAIN_LEVEL_SETTING, IDCANCEL, L"Gain Level Setting");
    ExpectBox(IDM_DISPLAY_ASPECT, IDCANCEL, L"Set display aspect ratio");
    ExpectBox(IDM_SHOW_SYSTEM_ASPECT, IDOK, L"Desktop aspect:");
    ExpectBox(IDM_SHOW_ACCURACY, IDOK, L"Accuracy:");
    ExpectBox(IDM_HELP, IDOK, L"readme_");
    ExpectBox(IDM_INTRODUCTION, IDCANCEL, L"Introduction");
    ExpectBox(IDM_VERSION, IDOK, L"Version");

    PostMessageW(main, WM_COMMAND, IDM_TEST_BUTTON, 0);
    buttons = WaitForWindowOfClass(*run, L"TavroPBTClass", kWait);
    ASSERT_NE(buttons, nullptr);
    Sleep(300);
    EXPECT_EQ(testsupport::WindowText(buttons), kProductName);
    PostMessageW(buttons, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(buttons));

    ShowWindow(main, SW_MINIMIZE);
    Sleep(300);
    PostMessageW(main, WM_COMMAND, IDM_RESTORE, 0);
    Sleep(500);
    EXPECT_FALSE(MinimisedOrHidden(main));

    // Track Spot enters Track without asking whether a gain was found.
    ExpectBox(IDM_TRACK_SPOT, IDOK, L"Sensor is tracking.");
    EXPECT_TRUE(WaitForTitleEnding(main, kTrack, kWait));
    ExpectBox(IDM_EXIT, IDCANCEL, L"Close Tavro Pen now?");
    EXPECT_TRUE(IsWindow(main));
    PostMessageW(main, WM_COMMAND, IDM_AUTO_ALIGNMENT, 0);
    ASSERT_TRUE(WaitForTitleEnding(main, kAuto, kWait));

    // A desktop-size change to the same size changes nothing.
    PostMessageW(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN),
                                                          GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_TRUE(NoBoxOpens());
    EXPECT_TRUE(WaitForTitleEnding(main, kAuto, 100));
}

TEST_F(MainWindow, BusyRefusesMinimiseAndKeysButAsksToClose) {
    // The stored alignment is taken over at start, and gain finding then waits for the sensor
    // to settle longer than this test runs: the program stays busy in it throughout.
    OptionRecord options = PlainOptions();
    options.skipAlignmentWhenAligned = 1;
    CoreParameterRecord parameters = ProductCoreParameters();
    parameters.findThreshold[0].range = 600000;
    ASSERT_NO_FATAL_FAILURE(WriteProductFiles(options, parameters));
    ASSERT_NO_FATAL_FAILURE(WriteUsableAlignment());
    Start(kFindGain);

    ASSERT_TRUE(SendSysCommand(SC_MINIMIZE));
    EXPECT_FALSE(MinimisedOrHidden(main)) << "minimise refused while busy";
    BringToKeys(main);
    PressKeys(main, {VK_CONTROL, 'M'});
    EXPECT_TRUE(WaitForTitleEnding(main, kFindGain, 100)) << "no keys while busy";
    // Ctrl+Alt+X asks even while busy; Cancel keeps the Mode.
    CancelCloseQuestionFromKeys();
    EXPECT_TRUE(WaitForTitleEnding(main, kFindGain, 100));

    // Not busy: minimise works, maximise brings it back.
    PostMessageW(main, WM_COMMAND, IDM_AUTO_ALIGNMENT, 0);
    ASSERT_TRUE(WaitForTitleEnding(main, kAuto, kWait));
    ASSERT_TRUE(SendSysCommand(SC_MINIMIZE));
    EXPECT_TRUE(MinimisedOrHidden(main));
    ASSERT_TRUE(SendSysCommand(SC_MAXIMIZE));
    EXPECT_FALSE(MinimisedOrHidden(main));
}

}  // namespace
