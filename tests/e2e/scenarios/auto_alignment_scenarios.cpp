// The program aligning itself with the virtual sensor: from start-up and one Enter to gain
// finding, under several camera poses and desktops, and the two ways a run can end short.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "harness/desktop.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "settings/alignment_record.h"
#include "settings/option_record.h"

namespace {

constexpr DWORD kStartupMs = 60000;
constexpr DWORD kAlignmentMs = 60000;
constexpr wchar_t kAutoAlignmentTitle[] = L"Auto Alignment";
constexpr wchar_t kFindGainTitle[] = L"Find gain";
constexpr wchar_t kCoverageQuestion[] = L"not properly covering the full screen";
constexpr wchar_t kLosingCorners[] = L"Losing too many corners.";
constexpr wchar_t kManualOrAuto[] = L"Press [Yes] to do manual-alignment";

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool ReadStoredAlignment(AlignmentRecord& record) {
    UniqueFile file(CreateFileW(L"C:\\tavro\\tavro_refer.und", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD read = 0;
    return file && ReadFile(file.Get(), &record, sizeof record, &read, nullptr) && read == sizeof record;
}

// Writes the program's option file: no first-run questions, and whether a good stored
// alignment is used again at start-up ("Do not align if last alignment was ok.").
bool WriteProgramOptions(bool skipAlignmentWhenAligned) {
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    if (!SetCurrentDirectoryW(L"C:\\tavro")) return false;
    OptionRecord options = DefaultOptions();
    ReadOptions(options);
    options.dontShowIntroduction = 1;
    options.dontAskGainLevel = 1;
    options.skipAlignmentWhenAligned = skipAlignmentWhenAligned ? 1 : 0;
    const bool written = WriteOptions(options) == FileResult::Ok;
    SetCurrentDirectoryW(previous);
    return written;
}

// Starts the program, waits until it waits for the trigger and presses Enter. Returns the tick
// count at the trigger, 0 on failure.
ULONGLONG StartAndTrigger(ProgramRun& program, Report& report) {
    if (!report.Check(WriteProgramOptions(false), "options_written")) return 0;
    if (!report.Check(program.Start(), "program_started")) return 0;
    if (!report.Check(program.WaitForTitle(kAutoAlignmentTitle, kStartupMs), "waits_for_trigger")) {
        report.Figure("title", Narrow(program.Title()));
        return 0;
    }
    // The sensor's picture settles on the alignment settings before the run starts.
    Sleep(1500);
    const ULONGLONG trigger = GetTickCount64();
    PressKey(program.MainWindow(), VK_RETURN);
    return trigger;
}

// A whole run that should end in gain finding with a good alignment of the current desktop.
bool ExpectGoodAlignment(Report& report) {
    ProgramRun program;
    const ULONGLONG trigger = StartAndTrigger(program, report);
    if (!trigger) return false;
    const bool aligned = program.WaitForTitle(kFindGainTitle, kAlignmentMs);
    const double seconds = (GetTickCount64() - trigger) / 1000.0;
    report.Figure("title", Narrow(program.Title()));
    if (!report.Check(aligned, "reached_find_gain")) {
        SaveScreenshot("not_aligned.png");
        return false;
    }
    report.Figure("wall_s", seconds, 2);
    printf("BENCH auto_alignment_wall median_us=%.0f p99_us=%.0f\n", seconds * 1e6, seconds * 1e6);

    AlignmentRecord record{};
    if (!report.Check(ReadStoredAlignment(record), "alignment_stored")) return false;
    const float averageX = record.accuracy.averageErrorX;
    const float averageY = record.accuracy.averageErrorY;
    report.Figure("grade", static_cast<double>(record.accuracy.grade), 0);
    report.Figure("avg_err_x", averageX, 3);
    report.Figure("avg_err_y", averageY, 3);
    report.Figure("max_err", std::max(record.accuracy.maxErrorX, record.accuracy.maxErrorY), 3);
    report.Figure("lost", record.accuracy.lostCorners, 0);
    report.Figure("desktop", std::to_string(record.alignedDesktopWidth) + "x" +
                                 std::to_string(record.alignedDesktopHeight));
    report.Check(record.accuracy.grade == AccuracyGrade::Good, "grade_good");
    report.Check(record.alignedDesktopWidth == GetSystemMetrics(SM_CXSCREEN) &&
                     record.alignedDesktopHeight == GetSystemMetrics(SM_CYSCREEN),
                 "desktop_size_stored");
    report.Check(averageX < 2.0f && averageY < 2.0f, "average_error_below_2px");
    DWORD exitCode = 0;
    return report.Check(program.Stop(10000, &exitCode), "program_stopped") && report.Passed();
}

}  // namespace

E2E_SCENARIO(alignment_default_pose, "", 150) {
    ExpectGoodAlignment(report);
}

E2E_SCENARIO(alignment_reused_at_startup, "", 200) {
    if (!ExpectGoodAlignment(report)) return;
    if (!report.Check(WriteProgramOptions(true), "option_set")) return;
    ProgramRun program;
    if (!report.Check(program.Start(), "program_restarted")) return;
    // No trigger: the stored pose is applied again and gain finding starts by itself.
    report.Check(program.WaitForTitle(kFindGainTitle, kStartupMs), "straight_to_find_gain");
    report.Figure("restart_title", Narrow(program.Title()));
    DWORD exitCode = 0;
    report.Check(program.Stop(10000, &exitCode), "program_stopped_again");
}

E2E_SCENARIO(alignment_camera_upside_down, "", 150) {
    SensorControl control;
    control.Set("view", "7 -5 182 0.84");
    ExpectGoodAlignment(report);
}

E2E_SCENARIO(alignment_portrait_desktop, "--desktop 768x1024", 150) {
    report.Figure("screen", std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                                std::to_string(GetSystemMetrics(SM_CYSCREEN)));
    if (!report.Check(GetSystemMetrics(SM_CXSCREEN) < GetSystemMetrics(SM_CYSCREEN), "portrait_screen")) return;
    // The sensor is turned back so that the tall screen fits into its 240 rows.
    SensorControl control;
    control.Set("view", "7 -5 2 0.45");
    ExpectGoodAlignment(report);
}

E2E_SCENARIO(alignment_partial_view, "", 150) {
    SensorControl control;
    // The screen is wider than the picture: its left and right edges are out of view.
    control.Set("view", "0 0 0 1.15");
    ProgramRun program;
    if (!StartAndTrigger(program, report)) return;
    HWND question = WaitForWindowWithText(program.ProcessId(), kCoverageQuestion, kAlignmentMs);
    if (!report.Check(question != nullptr, "coverage_question")) {
        report.Figure("title", Narrow(program.Title()));
        SaveScreenshot("no_coverage_question.png");
        return;
    }
    report.Check(FindWindowW(L"TavroWyvoClassOut", nullptr) != nullptr, "coverage_picture_shown");
    SaveScreenshot("coverage_picture.png");
    // Keeping the result goes on to gain finding.
    report.Check(PressButton(question, L"No"), "answered_no");
    report.Check(program.WaitForTitle(kFindGainTitle, 10000), "kept_and_finding_gain");
    report.Check(FindWindowW(L"TavroWyvoClassOut", nullptr) == nullptr, "coverage_picture_removed");
    DWORD exitCode = 0;
    report.Check(program.Stop(10000, &exitCode), "program_stopped");
}

E2E_SCENARIO(alignment_covered_lens, "", 150) {
    SensorControl control;
    control.Set("screen", "0 0");
    control.Set("room", "0");
    ProgramRun program;
    if (!StartAndTrigger(program, report)) return;
    HWND failure = WaitForWindowWithText(program.ProcessId(), kLosingCorners, kAlignmentMs);
    if (!report.Check(failure != nullptr, "message_10020")) {
        report.Figure("title", Narrow(program.Title()));
        return;
    }
    report.Check(WindowTexts(failure).find(L"10020") != std::wstring::npos, "numbered_10020");
    report.Check(PressButton(failure, L"OK"), "message_closed");
    HWND offer = WaitForWindowWithText(program.ProcessId(), kManualOrAuto, 10000);
    if (!report.Check(offer != nullptr, "manual_offered")) return;
    report.Check(PressButton(offer, L"Yes"), "chose_manual");
    report.Check(program.WaitForTitle(L"Manual Alignment", 10000), "manual_alignment_entered");
    DWORD exitCode = 0;
    report.Check(program.Stop(10000, &exitCode), "program_stopped");
}
