// The program meeting a sensor it cannot use: one without its driver, one that offers only YUY2.
// (Faults met while it works, in every Mode, are in mode_fault_scenarios.cpp.)
#include <windows.h>

#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"

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
