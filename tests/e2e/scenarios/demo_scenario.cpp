// The demo: the program's main job on the virtual sensor, from start-up through gain finding to
// a pen that writes, clicks, drags and right-clicks on a target window. Prints what it saw and
// saves screenshots beside its output (build/e2e/run/demo/).
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "harness/desktop.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"

namespace {

const char* GradeName(AccuracyGrade grade) {
    switch (grade) {
    case AccuracyGrade::Good:
        return "Good";
    case AccuracyGrade::Coarse:
        return "Coarse";
    case AccuracyGrade::Bad:
        return "Bad";
    case AccuracyGrade::Failed:
        return "Failed";
    default:
        return "NotAligned";
    }
}

void Say(const std::string& line) {
    std::printf("demo: %s\n", line.c_str());
    std::fflush(stdout);
}

void Shoot(const std::string& name, Report& report) {
    report.Check(SaveScreenshot(name), "screenshot_" + name);
    Say("screenshot " + name);
}

}  // namespace

E2E_SCENARIO(demo, "--rf", 240) {
    TrackingSession session(report);
    Say("starting the program and its auto alignment");
    if (!session.AlignToGainFinding()) return;
    Sleep(800);
    Shoot("demo_1_gain_finding.png", report);
    if (!session.WaitForTracking()) return;
    Say("gain found, tracking");

    AlignmentRecord alignment{};
    if (report.Check(session.ReadStoredAlignment(alignment), "alignment_file")) {
        const AccuracyFigures& a = alignment.accuracy;
        report.Figure("grade", GradeName(a.grade));
        char line[200];
        std::snprintf(line, sizeof line, "alignment grade %s, average error %.2f x %.2f px, max %.2f x %.2f px",
                      GradeName(a.grade), a.averageErrorX, a.averageErrorY, a.maxErrorX, a.maxErrorY);
        Say(line);
    }

    const int w = session.Width(), h = session.Height();
    std::vector<cv::Point2d> grid;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) grid.emplace_back(w * (0.15 + 0.35 * column), h * (0.15 + 0.35 * row));
    const TrackingSession::ErrorStats errors = session.TapAll(grid);
    report.Figure("mean_err_px", errors.mean, 2);
    report.Figure("max_err_px", errors.max, 2);
    char line[200];
    std::snprintf(line, sizeof line, "pointer error over %d pen positions: mean %.2f px, max %.2f px", errors.count,
                  errors.mean, errors.max);
    Say(line);

    const RECT area = {w / 5, h / 5, 4 * w / 5, 4 * h / 5};
    TargetWindow target(area);
    const double cx = (area.left + area.right) / 2.0, cy = (area.top + area.bottom) / 2.0;

    // A short stroke: the letter "w" written left of the middle.
    std::vector<cv::Point2d> stroke;
    for (int i = 0; i <= 32; ++i) {
        const double t = i / 32.0;
        stroke.emplace_back(area.left + 60 + 200 * t, cy - 60 + 120 * std::abs(std::sin(t * 2 * 3.14159265)));
    }
    const double strokeWorst = session.Trace(stroke);
    session.Lift();
    Sleep(200);
    report.Figure("stroke_drags", target.Count(WM_MOUSEMOVE), 0);
    report.Check(target.Count(WM_LBUTTONDOWN) == 1 && target.Count(WM_LBUTTONUP) == 1, "stroke");
    std::snprintf(line, sizeof line, "stroke: 1 press, %d drag moves, 1 release, worst error %.2f px",
                  target.Count(WM_MOUSEMOVE), strokeWorst);
    Say(line);
    Shoot("demo_2_stroke.png", report);

    target.Clear();
    session.PenTo(cx + 150, cy, 3.0, 300);
    session.Lift();
    Sleep(200);
    report.Check(target.Count(WM_LBUTTONDOWN) == 1 && target.Count(WM_LBUTTONUP) == 1, "click");
    Say(std::string("click: ") + (target.Count(WM_LBUTTONDOWN) == 1 ? "one press and release" : "MISSED"));

    target.Clear();
    std::vector<cv::Point2d> drag;
    for (int i = 0; i <= 12; ++i) drag.emplace_back(cx + 100 + 15.0 * i, cy + 100 - 10.0 * i);
    session.Trace(drag);
    session.Lift();
    Sleep(200);
    report.Check(target.Count(WM_LBUTTONDOWN) == 1 && target.Count(WM_LBUTTONUP) == 1, "drag");
    std::snprintf(line, sizeof line, "drag: from (%.0f, %.0f) to (%.0f, %.0f), %d moves", drag.front().x,
                  drag.front().y, drag.back().x, drag.back().y, target.Count(WM_MOUSEMOVE));
    Say(line);

    target.Clear();
    session.Sensor().Pen(cx - 150, cy + 120, true);
    const double start = ElapsedSeconds();
    while (target.Count(WM_RBUTTONUP) == 0 && ElapsedSeconds() - start < 5.0) Sleep(10);
    const bool right = target.Count(WM_RBUTTONUP) == 1;
    report.Check(right, "right_click");
    std::snprintf(line, sizeof line, "right click after holding still %.2f s", ElapsedSeconds() - start);
    Say(right ? line : "right click: MISSED");
    Shoot("demo_3_after_right_click.png", report);
    session.Lift();
    session.Finish();
}
