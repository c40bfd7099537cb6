// The virtual sensor alone, streamed through Wine's Sample Grabber and Null Renderer.
#include <opencv2/calib3d.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

#include "harness/camera_prediction.h"
#include "harness/frame_math.h"
#include "harness/pattern_window.h"
#include "harness/png_writer.h"
#include "harness/scenario.h"
#include "harness/sensor_checks.h"
#include "harness/sensor_control.h"

using Microsoft::WRL::ComPtr;

namespace {

double Seconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

}  // namespace

E2E_SCENARIO(sensor_frame_rate, "", 60) {
    PatternWindow grey(Pattern::Grey);
    SensorGraph graph;
    if (!StartSensorGraph(graph, report)) return;
    report.Figure("size", std::to_string(graph.Width()) + "x" + std::to_string(graph.Height()));
    report.Check(graph.Width() == 320 && graph.Height() == 240, "frame_size");
    const long before = graph.Frames();
    const double start = Seconds();
    Sleep(10000);
    const long frames = graph.Frames() - before;
    const double seconds = Seconds() - start;
    const double fps = frames / seconds;
    report.Figure("frames", frames, 0);
    report.Figure("seconds", seconds, 2);
    report.Figure("fps", fps, 2);
    report.Check(std::fabs(fps - 30.0) <= 2.0, "frame_rate");
    FinishSensorGraph(graph, report);
}

E2E_SCENARIO(sensor_exposure, "", 40) {
    PatternWindow grey(Pattern::Grey);
    SensorGraph graph;
    if (!StartSensorGraph(graph, report)) return;
    std::vector<uint8_t> frame;
    double means[2] = {0.0, 0.0};
    const long exposures[2] = {-7, -4};
    for (int i = 0; i < 2; ++i) {
        report.Check(SUCCEEDED(SetExposure(graph.Source(), exposures[i])), "set_exposure");
        if (!report.Check(SettledFrame(graph, 150, &frame), "frame")) break;
        means[i] = MeanLevel(ViewOf(frame, graph.Width(), graph.Height()));
    }
    report.Figure("mean_exposure_m7", means[0]);
    report.Figure("mean_exposure_m4", means[1]);
    report.Check(means[1] > means[0] + 40.0, "brightness_follows_exposure");
    FinishSensorGraph(graph, report);
}

E2E_SCENARIO(sensor_pen_position, "", 40) {
    PatternWindow grey(Pattern::Grey);
    SensorControl control;
    SensorGraph graph;
    if (!StartSensorGraph(graph, report)) return;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<cv::Point3d> pens = {
        {width * 0.5, height * 0.5, 0}, {width * 0.2, height * 0.25, 0}, {width * 0.8, height * 0.7, 0},
        {width * 0.1, height * 0.9, 0}};
    const std::vector<cv::Point2d> predicted =
        PredictSensorPixels(control.Settings(), width, height, graph.Width(), pens);
    double worst = 0.0;
    std::vector<uint8_t> frame;
    for (size_t i = 0; i < pens.size(); ++i) {
        control.Pen(pens[i].x, pens[i].y, true);
        if (!report.Check(SettledFrame(graph, 200, &frame), "frame")) break;
        double u = 0.0, v = 0.0;
        if (!report.Check(SpotCentre(ViewOf(frame, graph.Width(), graph.Height()), 2, predicted[i].x,
                                     predicted[i].y, 6, &u, &v),
                          "spot_" + std::to_string(i)))
            continue;
        worst = std::max(worst, std::hypot(u - predicted[i].x, v - predicted[i].y));
    }
    report.Figure("max_err_px", worst, 3);
    report.Check(worst <= 1.0, "spot_position");
    control.Lift();
    if (report.Check(SettledFrame(graph, 200, &frame), "frame")) {
        double u, v;
        const FrameView view = ViewOf(frame, graph.Width(), graph.Height());
        report.Check(!SpotCentre(view, 2, predicted.back().x, predicted.back().y, 6, &u, &v), "spot_after_lift");
    }
    FinishSensorGraph(graph, report);
}

E2E_SCENARIO(sensor_chessboard_view, "", 40) {
    PatternWindow board(Pattern::Chessboard);
    SensorControl control;
    SensorGraph graph;
    if (!StartSensorGraph(graph, report)) return;
    std::vector<uint8_t> frame;
    if (!report.Check(SettledFrame(graph, 200, &frame), "frame")) return;
    const FrameView view = ViewOf(frame, graph.Width(), graph.Height());
    report.Check(WritePng("sensor_chessboard.png", view.pixels, view.width, view.height, view.stride, true), "png");
    cv::Mat colour(view.height, view.width, CV_8UC3, const_cast<uint8_t*>(view.pixels), view.stride), grey;
    cv::cvtColor(colour, grey, cv::COLOR_BGR2GRAY);
    std::vector<cv::Point2f> corners;
    const cv::Size inner(PatternWindow::kColumns - 1, PatternWindow::kRows - 1);
    const bool found = cv::findChessboardCorners(grey, inner, corners, cv::CALIB_CB_ADAPTIVE_THRESH);
    report.Figure("corners", static_cast<double>(corners.size()), 0);
    if (!report.Check(found && corners.size() == 35u, "chessboard_found")) return;
    cv::cornerSubPix(grey, corners, cv::Size(3, 3), cv::Size(-1, -1),
                     cv::TermCriteria(cv::TermCriteria::EPS + cv::TermCriteria::COUNT, 30, 0.01));
    // Square edges lie between pixels: the corner sits half a pixel before the first pixel.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const PatternWindow::Board layout = PatternWindow::BoardLayout(width, height);
    std::vector<cv::Point3d> desktop;
    for (int row = 1; row < PatternWindow::kRows; ++row)
        for (int column = 1; column < PatternWindow::kColumns; ++column)
            desktop.emplace_back(layout.left + column * layout.square - 0.5, layout.top + row * layout.square - 0.5, 0.0);
    const std::vector<cv::Point2d> predicted =
        PredictSensorPixels(control.Settings(), width, height, graph.Width(), desktop);
    double worst = 0.0, sum = 0.0;
    for (const cv::Point2f& corner : corners) {
        double nearest = 1e9;
        for (const cv::Point2d& p : predicted) nearest = std::min(nearest, std::hypot(corner.x - p.x, corner.y - p.y));
        worst = std::max(worst, nearest);
        sum += nearest;
    }
    report.Figure("avg_err_px", sum / corners.size(), 3);
    report.Figure("max_err_px", worst, 3);
    report.Check(worst <= 1.0, "corner_positions");
    FinishSensorGraph(graph, report);
}

E2E_SCENARIO(sensor_unplug, "", 40) {
    PatternWindow grey(Pattern::Grey);
    SensorControl control;
    SensorGraph graph;
    if (!StartSensorGraph(graph, report)) return;
    OAEVENT handle = 0;
    report.Check(SUCCEEDED(graph.Events()->GetEventHandle(&handle)), "event_handle");
    const double start = Seconds();
    control.Unplug();
    bool lost = false;
    while (!lost && Seconds() - start < 3.0) {
        if (WaitForSingleObject(reinterpret_cast<HANDLE>(handle), 100) != WAIT_OBJECT_0) continue;
        long code = 0;
        LONG_PTR first = 0, second = 0;
        while (!lost && SUCCEEDED(graph.Events()->GetEvent(&code, &first, &second, 0))) {
            if (code == EC_DEVICE_LOST) {
                lost = true;
                ComPtr<IBaseFilter> sender;
                const bool fromSensor = first && SUCCEEDED(reinterpret_cast<IUnknown*>(first)->QueryInterface(
                                                     IID_PPV_ARGS(&sender))) && sender.Get() == graph.Source();
                report.Check(fromSensor, "event_from_sensor");
                report.Check(second == 0, "event_is_removal");
            }
            graph.Events()->FreeEventParams(code, first, second);
        }
    }
    report.Figure("seconds", Seconds() - start, 2);
    report.Check(lost, "device_lost_event");
    const long before = graph.Frames();
    Sleep(300);
    report.Figure("frames_after", graph.Frames() - before, 0);
    report.Check(graph.Frames() - before <= 1, "frames_stop");
    FinishSensorGraph(graph, report);
}
