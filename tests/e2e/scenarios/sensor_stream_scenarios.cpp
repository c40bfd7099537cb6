// The virtual sensor streamed through the program's own capture side (SensorDevice) exactly as
// the real one would be: its frame rate, exposure and view of a chessboard judged against an
// independent camera model. (Its pen spot against its own projection is tests/vsensor's; how it
// presents itself is met by every scenario's start-up check; its removal by
// fault_second_copy_and_unplug_mid_stroke; the capture pin's formats the program chooses from
// here and in program_yuy2_sensor_cannot_preview.)
#include <windows.h>

#include <opencv2/calib3d.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include "base/unique_handle.h"
#include "capture/frame_sink.h"
#include "capture/sensor_device.h"
#include "harness/pattern_window.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "harness/tracking_session.h"
#include "scene/lens_camera.h"

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
    // The newest frame after `settleMs` (control and picture changes take a frame or two), rows
    // in buffer order.
    bool SettledFrame(DWORD settleMs, cv::Mat* frame) {
        Sleep(settleMs);
        ResetEvent(frameEvent_.Get());
        if (WaitForSingleObject(frameEvent_.Get(), 2000) != WAIT_OBJECT_0) return false;
        std::lock_guard<std::mutex> lock(mutex_);
        *frame = cv::Mat(height, width, CV_8UC3, latest_.data(), (width * 3 + 3) & ~3).clone();
        return true;
    }

    std::atomic<long> width{0}, height{0}, frames{0}, changes{0};

private:
    UniqueEvent frameEvent_;
    std::mutex mutex_;
    std::vector<uint8_t> latest_;
};

// Where the sensor should see desktop points, computed with OpenCV's camera model (an
// implementation independent of the sensor's own) from the pose and lens its settings describe.
std::vector<cv::Point2d> PredictSensorPixels(const SensorSettings& settings, int desktopWidth, int desktopHeight,
                                             int sensorWidth, const std::vector<cv::Point3d>& desktopPoints) {
    const SensorPose pose = PoseForView(settings.view, settings.lens, desktopWidth, desktopHeight);
    const LensParameters lens = ScaledLens(settings.lens, sensorWidth / 320.0);
    cv::Vec3d rvec;
    cv::Rodrigues(cv::Matx33d(pose.r), rvec);
    const cv::Matx33d intrinsics(lens.fx, 0, lens.cx, 0, lens.fy, lens.cy, 0, 0, 1);
    std::vector<cv::Point2d> pixels;
    cv::projectPoints(desktopPoints, rvec, cv::Vec3d(pose.t[0], pose.t[1], pose.t[2]), intrinsics,
                      cv::Vec4d(lens.k1, lens.k2, lens.p1, lens.p2), pixels);
    return pixels;
}

void CheckExposure(SensorDevice& device, FrameKeeper& sink, Report& report) {
    cv::Mat frame;
    double means[2] = {0.0, 0.0};
    const int exposures[2] = {-7, -4}, original = device.Properties().GainValue();
    for (int i = 0; i < 2; ++i) {
        report.Check(device.Properties().SetExposure(exposures[i]) == ControlResult::Done, "set_exposure");
        if (!report.Check(sink.SettledFrame(150, &frame), "frame")) return;
        const cv::Scalar mean = cv::mean(frame);
        means[i] = (mean[0] + mean[1] + mean[2]) / 3.0;
    }
    device.Properties().SetExposure(original);
    report.Figure("mean_exposure_m7", means[0]);
    report.Figure("mean_exposure_m4", means[1]);
    report.Check(means[1] > means[0] + 40.0, "brightness_follows_exposure");
}

// The chessboard's inner corners (the pattern window's), found by OpenCV, where the independent
// model puts them.
void CheckChessboard(SensorControl& control, FrameKeeper& sink, Report& report) {
    cv::Mat frame, grey;
    if (!report.Check(sink.SettledFrame(200, &frame), "frame")) return;
    cv::cvtColor(frame, grey, cv::COLOR_BGR2GRAY);
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
    const std::vector<cv::Point2d> predicted = PredictSensorPixels(ParseSensorSettings(control.Text()), width, height, frame.cols, desktop);
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

}  // namespace

E2E_SCENARIO(sensor_stream, "--rf", 90) {
    const PatternWindow board(Pattern::Chessboard);
    SensorControl control;
    // A message-only window for the graph's events.
    const UniqueWindow events(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    FrameKeeper sink;
    {
        SensorDevice device;
        const SensorMatch match = device.Open(kIdentity);
        report.Figure("open", static_cast<double>(match), 0);
        if (!report.Check(match == SensorMatch::Matched, "open_matched")) return;
        if (!report.Check(device.Start(events.Get(), &sink, 320, 240) != DeviceResult::Failed, "started")) return;
        report.Check(device.Format() == CaptureFormat::Rgb24, "format_rgb24");
        report.Check(sink.width == 320 && sink.height == 240, "prepared_320x240");
        report.Check(device.Properties().IsExposureGain() && device.Properties().GainMinimum() == -8,
                     "exposure_is_gain");
        // The capture starts with the picture controls at their minimum, a flat grey; the
        // sensor's own defaults give the picture the checks expect.
        SensorProperties& properties = device.Properties();
        for (int id = 0; id < SensorProperties::kVideoProcAmpCount; ++id)
            properties.SetVideoProcAmp(id, properties.VideoProcAmp(id).defaultValue);
        cv::Mat frame;
        if (!report.Check(sink.SettledFrame(0, &frame), "first_frame")) return;
        // The rate is counted over ten seconds while the picture is judged.
        const long framesBefore = sink.frames;
        const double start = ElapsedSeconds();
        CheckExposure(device, sink, report);
        CheckChessboard(control, sink, report);
        Sleep(static_cast<DWORD>(std::max(0.0, 10.0 - (ElapsedSeconds() - start)) * 1000));
        const double fps = (sink.frames - framesBefore) / (ElapsedSeconds() - start);
        report.Figure("fps", fps, 2);
        report.Check(std::fabs(fps - 30.0) <= 2.0, "frame_rate");
        // The stream keeps the layout it was connected with.
        report.Check(sink.changes == 0, "no_layout_change");
        device.Close();
    }
    report.Figure("live_objects", SensorLiveObjects(), 0);
    report.Check(SensorLiveObjects() == 0, "live_objects_left");
}
