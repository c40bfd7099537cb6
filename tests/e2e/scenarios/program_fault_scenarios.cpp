// The program meeting what it cannot start with: a parameter file missing, a sensor
// without its driver, one that offers only YUY2. (Faults met while it works, in every Mode, are in
// mode_fault_scenarios.cpp.)
#include <windows.h>

#include <string>

#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"

namespace {

// Starts the program, answers its box holding `text` with `button` and checks it then ends
// with code 0 before any work (`name`_...). With `windowless` the box comes before any main window.
void AnswerAndEnd(const wchar_t* text, const wchar_t* button, Report& report, const std::string& name = "answered",
                  bool windowless = false) {
    if (!report.Check(PlaceOptions(false), "options_placed")) return;
    ProgramRun program;
    if (!report.Check(program.Start(), "started")) return;
    HWND box = WaitForWindowWithText(program.ProcessId(), text, 20000);
    if (!report.Check(box != nullptr, name + "_box_shown")) return;
    if (windowless) report.Check(program.MainWindow() == nullptr, name + "_no_main_window");
    if (!report.Check(PressButton(box, button), name + "_box_answered")) return;
    program.CheckEndsWithZero(15000, name, report);
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

// The parameter file missing: the program names it (10003) and ends. (A short one is refused
// with the same message: tests/settings.)
E2E_SCENARIO(program_parameter_file_unusable, "", 90) {
    report.Check(DeleteFileW(L"C:\\tavro\\tavro_param.und") != FALSE, "parameter_file_deleted");
    AnswerAndEnd(L"#10003\n[ tavro_param.und]", L"OK", report, "missing", true);
}
