// Time of one whole tracking frame on a 320 x 240 sensor picture: channel extraction, spot
// finding against a learnt threshold, the centroid, the desktop mapping, the pen decision and
// the light-change watch. The pointer only counts events, so the figure is the program's own.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_timing.h"

#include "alignment/coverage_ring.h"
#include "alignment/desktop_mapping.h"
#include "tracking/brightness_recorder.h"
#include "tracking/gain_evaluation.h"
#include "tracking/pen_tracking.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kChannel = 1;
constexpr int kFrames = 100;

class CountingPointer {
public:
    bool LeftHeld() const { return held_; }
    void Press(float, float) { held_ = true; ++events; }
    void MoveTo(float, float) { ++events; }
    UINT Release(float, float) {
        if (!held_) return 0;
        held_ = false;
        return ++events, 1;
    }
    void RightClick(float, float) { events += 2; }
    void ForgetPosition() {}
    int events = 0;

private:
    bool held_ = false;
};

// The screen at a mid grey with a little texture, and the pen as a bright 7 x 7 spot.
void DrawFrame(std::vector<BYTE>& buffer, int stride, int frame) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            BYTE* pixel = &buffer[static_cast<size_t>(y) * stride + 3 * x];
            pixel[0] = pixel[2] = 90;
            pixel[1] = static_cast<BYTE>(110 + (x * 7 + y * 13) % 11);
        }
    if (frame % 50 >= 45) return;  // pen lifted now and then
    const int cx = 60 + (frame * 3) % 200;
    const int cy = 50 + (frame * 2) % 140;
    for (int y = cy - 3; y <= cy + 3; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x) buffer[static_cast<size_t>(y) * stride + 3 * x + 1] = 235;
}

}  // namespace

int main() {
    const DetectorProfile lens{300.0f, 310.0f, 158.0f, 123.0f, -0.22f};
    CameraModel camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    ScreenMapping mapping(camera, geometry, pattern);
    mapping.SetProfiles(&lens, 1);
    mapping.SelectProfile(0);
    camera.SetPose({-480.0f, -330.0f, 1250.0f, 0.12f, -0.18f, 0.04f});
    const ScreenCorrection correction = ScreenCorrection::Defaults(1024, 768);
    const SensorToDesktopFunction toDesktop = [&](float u, float v) {
        return MapToDesktop(mapping, correction, {u, v});
    };

    BITMAPINFOHEADER format{};
    format.biSize = sizeof(format);
    format.biWidth = kWidth;
    format.biHeight = kHeight;
    format.biBitCount = 24;
    FrameImages images;
    images.SetFormat(format);

    // Learn the screen as gain finding does, without a pen.
    const TrackingArea area = BuildTrackingArea(camera, geometry, true);
    images.detectionArea = {area.bounds.left, area.bounds.top, area.bounds.right - area.bounds.left,
                            area.bounds.bottom - area.bounds.top};
    std::vector<BYTE> screen(static_cast<size_t>(images.FrameStride()) * kHeight);
    DrawFrame(screen, images.FrameStride(), 49);
    images.Bind(screen.data());
    BrightnessRecorder recorder;
    recorder.Begin(images.channelPlane);
    recorder.Record(images.frame, images.channelPlane, kChannel, images.detectionArea);
    GainSettings gain;
    gain.gap = 30;
    gain.screenWidth = 1024;
    gain.screenHeight = 768;
    const GainVerdict verdict = EvaluateGain(images, area.ring, gain, toDesktop);

    PenTracking tracking;
    tracking.SetSize(kWidth, kHeight);
    tracking.ChooseSpyPoints(area.spyPoints.data(), area.spyPointCount, 50, 5);
    tracking.Start(kChannel, 1024, 768);
    const SpotParameters parameters;
    CountingPointer pointer;

    // A pen moving over the screen and lifted now and then, drawn before the clock runs.
    std::vector<std::vector<BYTE>> frames(kFrames, screen);
    for (int i = 0; i < kFrames; ++i) DrawFrame(frames[i], images.FrameStride(), i);
    int next = 0, found = 0;
    ReportBench("tracking_frame", 3000, 1, [&] {
        images.Bind(frames[next].data());
        if (tracking.Step(images, parameters, toDesktop, pointer) == TrackOutcome::kSpot) ++found;
        next = (next + 1) % kFrames;
    });
    std::printf("gain found %d, spot found in %d frames, pointer events %d\n",
                verdict.found ? 1 : 0, found, pointer.events);
    return 0;
}
