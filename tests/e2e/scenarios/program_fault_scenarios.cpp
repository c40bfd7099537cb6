// The program meeting a sensor it cannot use: one without its driver, one that offers only YUY2.
// (Faults met while it works, in every Mode, are in mode_fault_scenarios.cpp.)
#include <windows.h>

#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"

namespace {

// Starts the program, answers its box holding `text` with `button` and checks it then ends
// with code 0 before any work.
void AnswerAndEnd(const wchar_t* text, const wchar_t* button, Report& report) {
    if (!report.Check(PlaceOptions(false), "options_placed")) return;
    ProgramRun program;
    if (!report.Check(program.Start(), "started")) return;
    HWND box = WaitForWindowWithText(program.ProcessId(), text, 20000);
    if (!report.Check(box != nullptr, "box_shown") || !report.Check(PressButton(box, button), "box_answered"))
        return;
    program.CheckEndsWithZero(15000, "answered", report);
}

}  // namespace

// A sensor that still carries the camera maker's name: the driver is offered (10013); declining
// ends the program.
E2E_SCENARIO(program_sensor_without_driver_offers_it, "--name Tavro", 60) {
    AnswerAndEnd(L"10013", L"No", report);
}

// Wine has no colour converter: a sensor that offers only YUY2 cannot reach the renderer, and
// the program says so instead of running blind.
E2E_SCENARIO(program_yuy2_sensor_cannot_preview, "", 60) {
    SensorControl().Set("formats", "yuy2");
    AnswerAndEnd(L"This graph cannot preview!", L"OK", report);
}
