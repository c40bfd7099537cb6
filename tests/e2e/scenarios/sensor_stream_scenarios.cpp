// The virtual sensor streamed through the program's own capture side (SensorDevice), exactly as
// the real one would be: its frame rate, exposure, pen spot and view of a chessboard judged
// against an independent camera model, then its removal.
#include <windows.h>

#include <opencv2/calib3d.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include "base/notifications.h"
#include "capture/frame_sink.h"
#include "capture/sensor_device.h"
#include "harness/camera_prediction.h"
#include "harness/frame_math.h"
#include "harness/pattern_window.h"
#include "harness/png_writer.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "harness/tracking_session.h"

namespace {

const SensorIdentity kIdentity{L"VID_05E1&PID_0500", L"USB2.0 VGA WebCam", L"Tavro"};

// Counts the frames and keeps the newest (bottom-up RGB24 rows).
class FrameKeeper : public FrameSink {
public:
    FrameKeeper() : frameEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    void PrepareFrame(const BITMAPINFOHEADER& format) override {
        width = format.biWidth;
        height = format.biHeight;
    }
    void ChangeFormat(const BITMAPINFOHEADER&) override { ++changes; }
    void OnFrame(const BYTE* buffer) override {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_.assign(buffer, buffer + static_cast<size_t>((width * 3 + 3) & ~3) * height);
        ++frames;
        SetEvent(frameEvent_.Get());
    }
    // The newest frame after `settleMs` (control and picture changes take a frame or two).
    bool SettledFrame(DWORD settleMs, std::vector<uint8_t>* frame) {
        Sleep(settleMs);
        ResetEvent(frameEvent_.Get());
        if (WaitForSingleObject(frameEvent_.Get(), 2000) != WAIT_OBJECT_0) return false;
        std::lock_guard<std::mutex> lock(mutex_);
        *frame = latest_;
        return true;
    }
    FrameView View(const std::vector<uint8_t>& frame) const { return ViewOf(frame, width, height); }

    std::atomic<long> width{0}, height{0}, frames{0}, changes{0};

private:
    UniqueEvent frameEvent_;
    std::mutex mutex_;
    std::vector<uint8_t> latest_;
};

// A message-only window that receives the graph's events.
class EventWindow {
public:
    EventWindow() : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~EventWindow() {
        if (window_) DestroyWindow(window_);
    }
    EventWindow(const EventWindow&) = delete;
    EventWindow& operator=(const EventWindow&) = delete;
    HWND Get() const { return window_; }
    bool WaitForGraphEvent(DWORD timeoutMs) const {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        MSG message;
        while (GetTickCount64() < end) {
            if (PeekMessageW(&message, window_, kGraphEventMessage, kGraphEventMessage, PM_REMOVE)) return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLPOSTMESSAGE);
        }
        return false;
    }

private:
    HWND window_;
};

std::string Text(const SensorDevice& device) {
    wchar_t text[1024];
    device.LastMessage(text, 1024);
    std::wstring wide(text);
    return std::string(wide.begin(), wide.end());
}

void CheckExposure(SensorDevice& device, FrameKeeper& sink, Report& report) {
    std::vector<uint8_t> frame;
    double means[2] = {0.0, 0.0};
    const int exposures[2] = {-7, -4}, original = device.Properties().GainValue();
    for (int i = 0; i < 2; ++i) {
        report.Check(device.Properties().SetExposure(exposures[i]) == ControlResult::Done, "set_exposure");
        if (!report.Check(sink.SettledFrame(150, &frame), "frame")) return;
        means[i] = MeanLevel(sink.View(frame));
    }
    device.Properties().SetExposure(original);
    report.Figure("mean_exposure_m7", means[0]);
    report.Figure("mean_exposure_m4", means[1]);
    report.Check(means[1] > means[0] + 40.0, "brightness_follows_exposure");
}

// The pen's spot where the independent model puts it, and gone once the pen is lifted.
void CheckPenSpot(SensorControl& control, FrameKeeper& sink, Report& report) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<cv::Point3d> pens = {
        {width * 0.5, height * 0.5, 0}, {width * 0.2, height * 0.25, 0}, {width * 0.8, height * 0.7, 0},
        {width * 0.1, height * 0.9, 0}};
    const std::vector<cv::Point2d> predicted = PredictSensorPixels(control.Settings(), width, height, sink.width, pens);
    double worst = 0.0, u = 0.0, v = 0.0;
    std::vector<uint8_t> frame;
    for (size_t i = 0; i < pens.size(); ++i) {
        control.Pen(pens[i].x, pens[i].y, true);
        if (!report.Check(sink.SettledFrame(200, &frame), "frame")) return;
        if (report.Check(SpotCentre(sink.View(frame), 2, predicted[i].x, predicted[i].y, 6, &u, &v),
                         "spot_" + std::to_string(i)))
            worst = std::max(worst, std::hypot(u - predicted[i].x, v - predicted[i].y));
    }
    report.Figure("pen_max_err_px", worst, 3);
    report.Check(worst <= 1.0, "spot_position");
    control.Lift();
    if (report.Check(sink.SettledFrame(200, &frame), "frame"))
        report.Check(!SpotCentre(sink.View(frame), 2, predicted.back().x, predicted.back().y, 6, &u, &v),
                     "spot_after_lift");
}

// The chessboard's inner corners, found by OpenCV, where the independent model puts them.
void CheckChessboard(SensorControl& control, FrameKeeper& sink, Report& report) {
    PatternWindow board(Pattern::Chessboard);
    std::vector<uint8_t> frame;
    if (!report.Check(sink.SettledFrame(200, &frame), "frame")) return;
    const FrameView view = sink.View(frame);
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
    const std::vector<cv::Point2d> predicted = PredictSensorPixels(control.Settings(), width, height, view.width, desktop);
    double worst = 0.0, sum = 0.0;
    for (const cv::Point2f& corner : corners) {
        double nearest = 1e9;
        for (const cv::Point2d& p : predicted) nearest = std::min(nearest, std::hypot(corner.x - p.x, corner.y - p.y));
        worst = std::max(worst, nearest);
        sum += nearest;
    }
    report.Figure("board_avg_err_px", sum / corners.size(), 3);
    report.Figure("board_max_err_px", worst, 3);
    report.Check(worst <= 1.0, "corner_positions");
}

// Unplugged: the program's capture side hears the removal and no frame follows.
void CheckUnplug(SensorControl& control, SensorDevice& device, EventWindow& events, FrameKeeper& sink,
                 Report& report) {
    const double start = ElapsedSeconds();
    control.Unplug();
    bool lost = false;
    while (!lost && events.WaitForGraphEvent(3000)) lost = device.CheckDeviceLost();
    report.Figure("lost_after_s", ElapsedSeconds() - start, 2);
    report.Check(lost, "device_lost");
    const long before = sink.frames;
    Sleep(300);
    report.Figure("frames_after_loss", sink.frames - before, 0);
    report.Check(sink.frames - before <= 1, "frames_stop");
}

}  // namespace

E2E_SCENARIO(sensor_stream, "", 60) {
    PatternWindow grey(Pattern::Grey);
    SensorControl control;
    EventWindow events;
    FrameKeeper sink;
    {
        SensorDevice device;
        const SensorMatch match = device.Open(kIdentity);
        report.Figure("open", static_cast<double>(match), 0);
        if (!report.Check(match == SensorMatch::Matched, "open_matched")) return;
        if (!report.Check(device.Start(events.Get(), &sink, 320, 240) != DeviceResult::Failed, "start:" + Text(device))) return;
        report.Check(device.Format() == CaptureFormat::Rgb24, "format_rgb24");
        report.Check(sink.width == 320 && sink.height == 240, "prepared_320x240");
        report.Check(device.Properties().IsExposureGain() && device.Properties().GainMinimum() == -8,
                     "exposure_is_gain");
        // The capture starts with the picture controls at their minimum, a flat grey; the
        // sensor's own defaults give the picture the checks expect.
        SensorProperties& properties = device.Properties();
        for (int id = 0; id < SensorProperties::kVideoProcAmpCount; ++id)
            properties.SetVideoProcAmp(id, properties.VideoProcAmp(id).defaultValue);
        std::vector<uint8_t> frame;
        if (!report.Check(sink.SettledFrame(0, &frame), "first_frame")) return;
        // The rate is counted over ten seconds while the picture is judged.
        const long framesBefore = sink.frames;
        const double start = ElapsedSeconds();
        CheckExposure(device, sink, report);
        CheckPenSpot(control, sink, report);
        CheckChessboard(control, sink, report);
        Sleep(static_cast<DWORD>(std::max(0.0, 10.0 - (ElapsedSeconds() - start)) * 1000));
        const double fps = (sink.frames - framesBefore) / (ElapsedSeconds() - start);
        report.Figure("fps", fps, 2);
        report.Check(std::fabs(fps - 30.0) <= 2.0, "frame_rate");
        // The stream keeps the layout it was connected with.
        report.Check(sink.changes == 0, "no_layout_change");
        CheckUnplug(control, device, events, sink, report);
        device.Close();
    }
    report.Figure("live_objects", SensorLiveObjects(), 0);
    report.Check(SensorLiveObjects() == 0, "live_objects_left");
}
