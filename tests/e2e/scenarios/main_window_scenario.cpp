// The main window: in a run without an alignment every menu command and key reaches its action
// and nothing else; in a run on the program's own alignment, while gain finding waits for the
// sensor to settle, the program refuses minimising and keys but still asks to close. (The key
// table itself is tests/app's.)
#include <windows.h>

#include <string>

#include "base/notifications.h"
#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"
#include "resources/resource_ids.h"
#include "settings/core_parameter_record.h"

namespace {

constexpr wchar_t kAuto[] = L" - Auto Alignment", kManual[] = L" - Manual Alignment",
                  kFindGain[] = L" - Find gain", kTrack[] = L" - Track";
constexpr wchar_t kCloseQuestion[] = L"Close Tavro Pen now?";
constexpr DWORD kWait = 10000;

// Gain finding then waits for the sensor to settle far longer than the scenario runs.
bool SlowGainFinding() {
    ProgramFolderScope folder;
    CoreParameterRecord parameters{};
    if (ReadCoreParameters(parameters) != FileResult::Ok) return false;
    parameters.findThreshold[0].range = 600000;
    return WriteCoreParameters(parameters) == FileResult::Ok;
}

bool MinimisedOrHidden(HWND window) { return IsIconic(window) || !IsWindowVisible(window); }

// The title bar's command, handled by the time this returns.
bool SendSysCommand(HWND window, WPARAM command) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SYSCOMMAND, command, 0, SMTO_NORMAL, kWait, &result) != 0;
}

}  // namespace

E2E_SCENARIO(main_window_commands_keys_and_busy, "", 240) {
    TrackingSession session(report);
    if (!report.Check(SlowGainFinding(), "core_parameters_written") || !session.StartToAutoAlignment()) return;
    ProgramRun& program = session.Program();
    HWND main = program.MainWindow();
    const auto stays = [&](const wchar_t* mode, const std::string& name) {
        report.Check(program.Title().find(mode) != std::wstring::npos, name + "_keeps_mode");
    };
    const auto reaches = [&](const wchar_t* mode, const std::string& name) {
        return report.Check(program.WaitForTitle(mode, kWait), name);
    };
    const auto closes = [](HWND box, WPARAM closeWith) {
        PostMessageW(box, WM_COMMAND, closeWith, 0);
        WaitUntil(kWait, [box] { return !IsWindow(box) || !IsWindowVisible(box); });
    };
    // Posts the message, waits for the program's box holding `part` and closes it with `closeWith`.
    const auto boxFrom = [&](UINT message, WPARAM wParam, const wchar_t* part, WPARAM closeWith,
                             const std::string& name) {
        PostMessageW(main, message, wParam, 0);
        const HWND box = WaitForWindowWithText(program.ProcessId(), part, kWait);
        if (report.Check(box != nullptr, name + "_box")) closes(box, closeWith);
    };
    const auto noBoxOpens = [&](const std::string& name) {
        const auto boxShown = [&] { return !VisibleWindowsOfClass(program.ProcessId(), L"#32770").empty(); };
        report.Check(!WaitUntil(1500, boxShown), name + "_no_box");
    };
    const auto cancelCloseFromKeys = [&](const std::string& name) {
        PressChord(main, {VK_CONTROL, VK_MENU, 'X'});
        const HWND question = WaitForWindowWithText(program.ProcessId(), kCloseQuestion, kWait);
        if (report.Check(question != nullptr, name + "_close_question")) closes(question, IDCANCEL);
    };
    // The button test window's own behaviour (title, Esc) is tests/app's; here it only opens.
    const auto buttonTestOpens = [&](const std::string& name) {
        HWND buttons = nullptr;
        WaitUntil(kWait, [&] { return (buttons = FindWindowW(L"TavroPBTClass", nullptr)) != nullptr; });
        if (report.Check(buttons != nullptr, name + "_shown")) SendMessageW(buttons, WM_CLOSE, 0, 0);
    };

    // A plain M does nothing; without an alignment Ctrl+G beeps (which key does what in which
    // state is the key table's; a Mode refused, the Controller's).
    PressChord(main, {'M'});
    stays(kAuto, "plain_m");
    PressChord(main, {VK_CONTROL, 'M'});
    reaches(kManual, "ctrl_m");
    PressChord(main, {VK_CONTROL, 'A'});
    reaches(kAuto, "ctrl_a");
    PressChord(main, {VK_CONTROL, 'G'});
    noBoxOpens("ctrl_g");
    stays(kAuto, "ctrl_g");
    PressChord(main, {VK_F2});
    buttonTestOpens("f2_button_test");
    cancelCloseFromKeys("ctrl_alt_x");
    stays(kAuto, "ctrl_alt_x");

    PostMessageW(main, WM_COMMAND, IDM_MANUAL_ALIGNMENT, 0);
    reaches(kManual, "command_manual");
    PostMessageW(main, WM_COMMAND, IDM_AUTO_ALIGNMENT, 0);
    reaches(kAuto, "command_auto");
    // Find Threshold refuses without a usable alignment, from the menu and from Ctrl+Alt+Shift+G,
    // which is the program's while it runs.
    boxFrom(WM_COMMAND, IDM_FIND_THRESHOLD, L"Please do alignment first.", IDOK, "find_threshold");
    const bool hotkeyFree = RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL | MOD_SHIFT, 'G');
    if (hotkeyFree) UnregisterHotKey(nullptr, 1);
    report.Check(!hotkeyFree, "hotkey_taken");
    boxFrom(WM_HOTKEY, kFindThresholdHotkeyId, L"Please do alignment first.", IDOK, "hotkey");
    stays(kAuto, "find_threshold");
    boxFrom(WM_COMMAND, IDM_COMMON_SETTING, L"Common setting", IDCANCEL, "common_setting");
    boxFrom(WM_COMMAND, IDM_GAIN_LEVEL_SETTING, L"Gain Level Setting", IDCANCEL, "gain_level");
    boxFrom(WM_COMMAND, IDM_DISPLAY_ASPECT, L"Set display aspect ratio", IDCANCEL, "display_aspect");
    boxFrom(WM_COMMAND, IDM_SHOW_SYSTEM_ASPECT, L"Desktop aspect:", IDOK, "system_aspect");
    boxFrom(WM_COMMAND, IDM_SHOW_ACCURACY, L"Accuracy:", IDOK, "accuracy");
    boxFrom(WM_COMMAND, IDM_HELP, L"readme_", IDOK, "help");
    boxFrom(WM_COMMAND, IDM_INTRODUCTION, L"Introduction", IDCANCEL, "introduction");
    boxFrom(WM_COMMAND, IDM_VERSION, L"Version", IDOK, "version");
    PostMessageW(main, WM_COMMAND, IDM_TEST_BUTTON, 0);
    buttonTestOpens("command_button_test");
    ShowWindow(main, SW_MINIMIZE);
    WaitUntil(kWait, [main] { return MinimisedOrHidden(main); });
    PostMessageW(main, WM_COMMAND, IDM_RESTORE, 0);
    report.Check(WaitUntil(kWait, [main] { return !MinimisedOrHidden(main); }), "restored");
    // Track Spot enters Track without asking whether a gain was found.
    boxFrom(WM_COMMAND, IDM_TRACK_SPOT, L"Sensor is tracking.", IDOK, "track_spot");
    reaches(kTrack, "command_track");
    boxFrom(WM_COMMAND, IDM_EXIT, kCloseQuestion, IDCANCEL, "exit");
    report.Check(program.Running(), "exit_cancelled");
    PostMessageW(main, WM_COMMAND, IDM_AUTO_ALIGNMENT, 0);
    if (!reaches(kAuto, "auto_again")) return;
    // A desktop-size change to the same size changes nothing.
    PostMessageW(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    noBoxOpens("same_size");
    stays(kAuto, "same_size");

    // Busy in gain finding: minimise and keys refused, Ctrl+Alt+X still asks. The program starts
    // again on its own alignment of this room rather than aligning here without being judged.
    program.RequestStop();
    if (!program.CheckEndsWithZero(10000, "first_run", report) || !session.StartToGainFinding()) return;
    main = program.MainWindow();
    report.Check(SendSysCommand(main, SC_MINIMIZE) && !MinimisedOrHidden(main), "busy_minimise_refused");
    PressChord(main, {VK_CONTROL, 'M'});
    stays(kFindGain, "busy_ctrl_m");
    cancelCloseFromKeys("busy_ctrl_alt_x");
    stays(kFindGain, "busy_ctrl_alt_x");
    // Not busy: minimise works, maximise brings the window back.
    PostMessageW(main, WM_COMMAND, IDM_AUTO_ALIGNMENT, 0);
    if (!reaches(kAuto, "auto_after_busy")) return;
    report.Check(SendSysCommand(main, SC_MINIMIZE) && MinimisedOrHidden(main), "minimised");
    report.Check(SendSysCommand(main, SC_MAXIMIZE) && !MinimisedOrHidden(main), "maximised");
    session.Finish();
}
