// A German user's whole run: the program picks the German library, and every title and box met
// on the way from the first-run questions and auto alignment through gain finding to tracking and
// at the close question is that library's. The texts are read from the library and the program's
// own file as they lie beside the program. (That every text is in every library, and that painted
// prompts and the dialogs' answers take the loaded library's, is the chrome and controller tests'
// work; the room's light changing is met in fault_exits_mid_stroke.)
#include <windows.h>

#include <string>

#include "controller/mode.h"
#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

std::wstring German(UINT id) { return ProgramText(id, L"XDL-DEU.dll"); }
std::wstring GermanTitle(Mode mode) { return L" - " + German(IDS_MODE_FIRST + static_cast<UINT>(mode)); }

// The ids of every text the run is to show; each must read differently in German.
constexpr UINT kShownIds[] = {IDS_SENSOR_TRACKING,
                              IDS_MODE_FIRST + static_cast<UINT>(Mode::AutoAlignment),
                              IDS_MODE_FIRST + static_cast<UINT>(Mode::FindGain),
                              IDS_MODE_FIRST + static_cast<UINT>(Mode::Track)};

// Waits for the German title of `mode` and saves the screen as `name`.bmp.
bool ReachMode(ProgramRun& program, Mode mode, DWORD timeoutMs, const std::string& name, Report& report) {
    const bool reached = program.WaitForTitle(GermanTitle(mode), timeoutMs);
    Sleep(300);  // the Mode's picture painted
    SaveScreenshot(name);
    return report.Check(reached, name + "_title_german");
}

// Both first-run questions, German: the introduction is left with Exit, the gain question
// answered with "Don't ask again".
bool AnswerFirstRunQuestions(ProgramRun& program, Report& report) {
    const HWND introduction = WaitForWindowWithText(program.ProcessId(), L"Einführung", 30000);
    if (!report.Check(introduction && WindowTexts(introduction).find(L"Öffnen") != std::wstring::npos,
                      "introduction_german"))
        return false;
    PostMessageW(introduction, WM_COMMAND, IDCANCEL, 0);
    const HWND gain = WaitForWindowWithText(program.ProcessId(), L"Verstärkung einstellen", 30000);
    if (!report.Check(gain != nullptr, "gain_question_german")) return false;
    testsupport::Click(gain, IDC_DONT_ASK_AGAIN);
    PostMessageW(gain, WM_COMMAND, IDOK, 0);
    return true;
}

}  // namespace

E2E_SCENARIO(language_german_end_to_end, "--rf --locale de_DE.UTF-8", 150) {
    TrackingSession session(report);
    bool translated = true;
    for (UINT id : kShownIds) translated = translated && !German(id).empty() && German(id) != ProgramText(id);
    if (!report.Check(translated, "texts_translated")) return;

    ProgramRun& program = session.Program();
    if (!report.Check(PlaceOptions(false, true), "first_run_options_placed") ||
        !report.Check(program.Start(), "started") ||
        !AnswerFirstRunQuestions(program, report) ||
        !ReachMode(program, Mode::AutoAlignment, 60000, "1_auto_alignment", report))
        return;
    const double trigger = session.TriggerAutoAlignment();
    if (!ReachMode(program, Mode::FindGain, 90000, "2_find_gain", report)) return;
    report.Figure("align_s", ElapsedSeconds() - trigger, 2);
    if (!ReachMode(program, Mode::Track, 60000, "3_track", report)) return;
    const HWND tracking = WaitForWindowWithText(program.ProcessId(), German(IDS_SENSOR_TRACKING), 5000);
    Sleep(300);  // the box painted whole
    SaveScreenshot("4_sensor_tracking");
    if (!report.Check(tracking != nullptr, "4_sensor_tracking_box_german")) return;
    PostMessageW(tracking, WM_COMMAND, IDOK, 0);

    // Closing asks in German; Cancel keeps the program running.
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    const HWND question = WaitForWindowWithText(program.ProcessId(), L"Tavro Pen jetzt schließen?", 10000);
    if (report.Check(question != nullptr, "close_question_german")) PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
    Sleep(500);
    report.Check(program.Running(), "close_cancelled");
    const TrackingSession::ErrorStats taps = session.TapGridErrors();
    report.Check(taps.count == 20 && taps.max <= 3.0, "pointer_within_3px");
    session.Finish();
}
