// The demo: the program's main job on the virtual sensor, from its own auto alignment through gain
// finding to a pen that taps, clicks, writes, drags and right-clicks on a target window, each
// judged by the desktop's mouse hook against where the pen really is. Prints what it saw and
// saves screenshots beside its output (build/e2e/run/demo/). Every position is a share of the
// desktop, so the demo runs on any desktop size.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "harness/desktop.h"
#include "harness/pattern_window.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"

namespace {

constexpr double kTolerancePx = 3.0;

const char* GradeName(AccuracyGrade grade) {
    constexpr const char* kNames[] = {"NotAligned", "Failed", "Bad", "Coarse", "Good"};
    return kNames[static_cast<unsigned>(grade) < 5 ? static_cast<unsigned>(grade) : 0];
}

template <typename... Values>
void Say(const char* format, Values... values) {
    std::printf("demo: ");
    std::printf(format, values...);
    std::printf("\n");
    std::fflush(stdout);
}

double Distance(POINT a, cv::Point2d b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The pen down along `path` and lifted, the pointer's record cleared first; its worst distance on
// the way.
double PenAlong(TrackingSession& session, const std::vector<cv::Point2d>& path) {
    session.Pointer().Clear();
    const double worst = session.Trace(path);
    session.Lift();
    Sleep(200);
    return worst;
}

// One press at `down` and one release at `up`, each where the pen was, the release last; the
// name's checks.
void CheckPressAndRelease(const PointerRecorder& pointer, cv::Point2d down, cv::Point2d up, const std::string& name,
                          Report& report) {
    const std::vector<PointerEvent> downs = pointer.Of(WM_LBUTTONDOWN), ups = pointer.Of(WM_LBUTTONUP);
    report.Check(downs.size() == 1 && ups.size() == 1, name + "_one_press_one_release");
    report.Check(!downs.empty() && Distance(downs[0].point, down) <= kTolerancePx, name + "_pressed_at_pen");
    report.Check(!ups.empty() && Distance(ups.back().point, up) <= kTolerancePx, name + "_released_at_pen");
    report.Check(!ups.empty() && !downs.empty() && ups.back().counter > downs.back().counter, name + "_ends_up");
}

// The moves made with the left button down.
size_t Drags(const PointerRecorder& pointer) {
    size_t drags = 0;
    bool down = false;
    for (const PointerEvent& event : pointer.Events()) {
        if (event.message == WM_LBUTTONDOWN || event.message == WM_LBUTTONUP) down = event.message == WM_LBUTTONDOWN;
        drags += down && event.message == WM_MOUSEMOVE;
    }
    return drags;
}

// The pen held still: one right click about two seconds (63 frames) after the press, where the
// pen is, with the left button held until the pen lifts.
void CheckRightClick(TrackingSession& session, cv::Point2d at, Report& report) {
    PointerRecorder& pointer = session.Pointer();
    pointer.Clear();
    session.Sensor().Pen(at.x, at.y, true);
    WaitUntil(5000, [&] { return !pointer.Of(WM_RBUTTONUP).empty(); });
    // Holding on gives no second right click.
    Sleep(1500);
    const auto first = [&](UINT kind) {
        const std::vector<PointerEvent> events = pointer.Of(kind);
        return events.empty() ? -100.0 : CounterSeconds(events[0].counter);
    };
    const double held = first(WM_RBUTTONUP) - first(WM_LBUTTONDOWN);
    report.Figure("hold_seconds", held, 2);
    report.Check(held > 1.7 && held < 2.8, "right_click_after_63_frames");
    Say("right click after holding still %.2f s", held);
    report.Check(pointer.Of(WM_RBUTTONDOWN).size() == 1 && pointer.Of(WM_RBUTTONUP).size() == 1, "one_right_click");
    report.Check(pointer.Of(WM_LBUTTONUP).empty(), "left_held_through_hold");
    const std::vector<PointerEvent> rights = pointer.Of(WM_RBUTTONDOWN);
    report.Check(!rights.empty() && Distance(rights[0].point, at) <= kTolerancePx, "right_click_position");
    SaveScreenshot("demo_3_after_right_click");
    report.Check(session.Lift(), "released_on_lift");
}

}  // namespace

E2E_SCENARIO(demo, "--rf", 240) {
    TrackingSession session(report);
    Say("starting the program and its auto alignment");
    if (!session.AlignToGainFinding()) return;
    report.Check(session.AlignmentSeconds() < 5.0, "aligned_in_time");
    Sleep(800);
    SaveScreenshot("demo_1_gain_finding");
    if (!session.WaitForTracking()) return;
    Say("gain found, tracking");

    AlignmentRecord alignment{};
    report.Check(session.ReadStoredAlignment(alignment), "alignment_file");
    const AccuracyFigures& a = alignment.accuracy;
    report.Figure("grade", GradeName(a.grade));
    Say("alignment grade %s, average error %.2f x %.2f px, max %.2f x %.2f px", GradeName(a.grade), a.averageErrorX,
        a.averageErrorY, a.maxErrorX, a.maxErrorY);
    const TrackingSession::ErrorStats errors = session.TapGridErrors();
    report.Check(errors.count == 20 && errors.max <= kTolerancePx, "pointer_within_3px");
    Say("pointer error over %d pen positions: mean %.2f px, max %.2f px", errors.count, errors.mean, errors.max);

    const int w = session.Width(), h = session.Height();
    const RECT area = {w / 4, h / 4, 3 * w / 4, 3 * h / 4};
    const PatternWindow target(Pattern::Target, area);
    const PointerRecorder& pointer = session.Pointer();
    const cv::Point2d middle((area.left + area.right) / 2.0, (area.top + area.bottom) / 2.0);

    // A tap: the pen seen for a few frames.
    PenAlong(session, {middle});
    CheckPressAndRelease(pointer, middle, middle, "click", report);
    Say("click: %zu press, %zu release", pointer.Of(WM_LBUTTONDOWN).size(), pointer.Of(WM_LBUTTONUP).size());

    // A stroke: a short wave written left to right.
    std::vector<cv::Point2d> wave;
    for (int i = 0; i <= 24; ++i) wave.emplace_back(w * (0.31 + 0.012 * i), middle.y + h * 0.05 * std::sin(i * 0.5));
    const double strokeWorst = PenAlong(session, wave);
    const size_t drags = Drags(pointer);
    report.Figure("stroke_drags", drags, 0);
    report.Figure("stroke_max_err_px", strokeWorst, 2);
    CheckPressAndRelease(pointer, wave.front(), wave.back(), "stroke", report);
    report.Check(drags + 1 >= wave.size() - 1, "stroke_drags_through_points");
    report.Check(strokeWorst <= kTolerancePx, "stroke_within_3px");
    Say("stroke: %zu drag moves, worst error %.2f px", drags, strokeWorst);
    SaveScreenshot("demo_2_stroke");

    // A drag: press on one spot, slide, let go at another.
    const cv::Point2d from(w * 0.3, h * 0.67), to(w * 0.7, h * 0.33);
    std::vector<cv::Point2d> line;
    for (int i = 0; i <= 10; ++i) line.push_back(from + (to - from) * (i / 10.0));
    PenAlong(session, line);
    CheckPressAndRelease(pointer, from, to, "drag", report);
    report.Check(pointer.Of(WM_RBUTTONDOWN).empty(), "no_right_click");
    Say("drag: from (%.0f, %.0f) to (%.0f, %.0f), %zu moves", from.x, from.y, to.x, to.y, Drags(pointer));

    CheckRightClick(session, middle, report);
    session.Finish();
}
