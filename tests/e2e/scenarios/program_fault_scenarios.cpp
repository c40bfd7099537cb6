// The whole program meeting faults while it works: the sensor unplugged, a second copy started.
// Whatever happens, the program ends with code 0 and never leaves the left button held.
#include <windows.h>

#include <string>

#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"

namespace {

constexpr DWORD kWorkingTimeoutMs = 30000;

std::string Narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

// Starts the program quietly and waits until its title names a working Mode.
bool StartWorking(ProgramRun& program, Report& report) {
    if (!report.Check(PlaceOptions(QuietStartOptions()), "options_placed")) return false;
    if (!report.Check(program.Start(), "started")) return false;
    const bool working = program.WaitForTitle(L" - ", kWorkingTimeoutMs);
    report.Figure("mode", Narrow(program.Title()));
    return report.Check(working, "working_mode");
}

void CheckButtonReleased(const PointerRecorder& recorder, Report& report) {
    int held = 0;
    for (const PointerEvent& event : recorder.Buttons()) {
        if (event.message == WM_LBUTTONDOWN) ++held;
        if (event.message == WM_LBUTTONUP) held = 0;
    }
    report.Check(held == 0, "left_button_released");
}

}  // namespace

E2E_SCENARIO(program_unplugged_sensor_ends_cleanly, "", 90) {
    PointerRecorder recorder;
    ProgramRun program;
    if (!StartWorking(program, report)) return;
    SensorControl control;
    control.Unplug();
    HWND box = WaitForWindowWithText(program.ProcessId(), L"10012", 15000);
    if (!report.Check(box != nullptr, "message_10012")) return;
    report.Check(PressButton(box, L"OK"), "ok_pressed");
    DWORD exitCode = 1;
    report.Check(program.WaitForExit(15000, &exitCode), "ended");
    report.Figure("exit_code", exitCode, 0);
    report.Check(exitCode == 0, "exit_code_0");
    CheckButtonReleased(recorder, report);
}

E2E_SCENARIO(program_second_copy_while_working, "", 90) {
    ProgramRun first;
    if (!StartWorking(first, report)) return;
    const std::wstring mode = first.Title();
    ProgramRun second;
    if (!report.Check(second.Start(), "second_started")) return;
    DWORD secondExit = 1;
    report.Check(second.WaitForExit(15000, &secondExit) && secondExit == 0, "second_ends_with_0");
    report.Check(first.Running() && first.Title() == mode, "first_keeps_its_mode");
    DWORD firstExit = 1;
    report.Check(first.Stop(15000, &firstExit) && firstExit == 0, "first_stops_with_0");
}

// A sensor that still carries the camera maker's name: the driver is offered; declining ends
// the program before any work.
E2E_SCENARIO(program_sensor_without_driver_offers_it, "--name Tavro", 60) {
    if (!report.Check(PlaceOptions(QuietStartOptions()), "options_placed")) return;
    ProgramRun program;
    if (!report.Check(program.Start(), "started")) return;
    HWND question = WaitForWindowWithText(program.ProcessId(), L"10013", 20000);
    if (!report.Check(question != nullptr, "question_10013")) return;
    report.Check(PressButton(question, L"No"), "no_pressed");
    DWORD exitCode = 1;
    report.Check(program.WaitForExit(15000, &exitCode) && exitCode == 0, "exit_code_0");
}

// Wine has no colour converter: a sensor that offers only YUY2 cannot reach the renderer, and
// the program says so instead of running blind.
E2E_SCENARIO(program_yuy2_sensor_cannot_preview, "", 60) {
    SensorControl control;
    control.Set("formats", "yuy2");
    if (!report.Check(PlaceOptions(QuietStartOptions()), "options_placed")) return;
    ProgramRun program;
    if (!report.Check(program.Start(), "started")) return;
    HWND box = WaitForWindowWithText(program.ProcessId(), L"This graph cannot preview!", 20000);
    if (!report.Check(box != nullptr, "cannot_preview_message")) return;
    report.Check(PressButton(box, L"OK"), "ok_pressed");
    DWORD exitCode = 1;
    report.Check(program.WaitForExit(15000, &exitCode) && exitCode == 0, "exit_code_0");
}
