// The demo: the program's main job on the virtual sensor, from start-up through gain finding to
// a pen that writes, clicks, drags and right-clicks on a target window. Prints what it saw and
// saves screenshots beside its output (build/e2e/run/demo/). Every position is a share of the
// desktop, so the demo runs on any desktop size; it fails when the pointer strays more than
// 3 pixels from the pen it was tapped with.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "harness/desktop.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"

namespace {

constexpr double kTolerancePx = 3.0;

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
    const TrackingSession::ErrorStats errors = session.TapGridErrors();
    report.Check(errors.count == 20 && errors.max <= kTolerancePx, "pointer_within_3px");
    char line[200];
    std::snprintf(line, sizeof line, "pointer error over %d pen positions: mean %.2f px, max %.2f px", errors.count,
                  errors.mean, errors.max);
    Say(line);

    const RECT area = {w / 5, h / 5, 4 * w / 5, 4 * h / 5};
    TargetWindow target(area);
    // Points on the target in shares of its size from its middle: (0, 0) is the middle, (0.5, 0.5)
    // its bottom right corner.
    const double cx = (area.left + area.right) / 2.0, cy = (area.top + area.bottom) / 2.0;
    const double aw = area.right - area.left, ah = area.bottom - area.top;
    auto on = [&](double x, double y) { return cv::Point2d(cx + aw * x, cy + ah * y); };

    // A short stroke: the letter "w" written left of the middle.
    std::vector<cv::Point2d> stroke;
    for (int i = 0; i <= 32; ++i) {
        const double t = i / 32.0;
        stroke.push_back(on(-0.4 + 0.35 * t, -0.12 + 0.24 * std::abs(std::sin(t * 2 * 3.14159265))));
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
    const cv::Point2d click = on(0.25, 0.0);
    session.PenTo(click.x, click.y, kTolerancePx, 300);
    session.Lift();
    Sleep(200);
    report.Check(target.Count(WM_LBUTTONDOWN) == 1 && target.Count(WM_LBUTTONUP) == 1, "click");
    Say(std::string("click: ") + (target.Count(WM_LBUTTONDOWN) == 1 ? "one press and release" : "MISSED"));

    target.Clear();
    std::vector<cv::Point2d> drag;
    for (int i = 0; i <= 12; ++i) drag.push_back(on(0.15 + 0.25 * i / 12, 0.3 - 0.25 * i / 12));
    session.Trace(drag);
    session.Lift();
    Sleep(200);
    report.Check(target.Count(WM_LBUTTONDOWN) == 1 && target.Count(WM_LBUTTONUP) == 1, "drag");
    std::snprintf(line, sizeof line, "drag: from (%.0f, %.0f) to (%.0f, %.0f), %d moves", drag.front().x,
                  drag.front().y, drag.back().x, drag.back().y, target.Count(WM_MOUSEMOVE));
    Say(line);

    target.Clear();
    const cv::Point2d hold = on(-0.25, 0.25);
    session.Sensor().Pen(hold.x, hold.y, true);
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
