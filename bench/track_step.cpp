// The whole tracking step of a frame, as TrackRun does it in Track on a 320 x 240 frame: from
// the channel extraction to the SendInput call that moves the pointer.
// The second figure takes only frames in which the pen moves, so each one ends in SendInput:
// it is the latency from a frame's delivery to the return of its pointer event.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_timing.h"

#include "alignment/screen_mapping.h"
#include "capture/sensor_device.h"
#include "controller/gain_run.h"
#include "controller/track_run.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kStride = kWidth * 3;
constexpr int kFrames = 50;

// A grey screen; the pen is a 7 x 7 red spot moving over it, lifted in some frames.
std::vector<BYTE> Frame(int index, bool penDown) {
    std::vector<BYTE> frame(static_cast<size_t>(kStride) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            frame[static_cast<size_t>(y) * kStride + 3 * x + 2] = static_cast<BYTE>(70 + (x * 7 + y * 13) % 9);
    if (!penDown) return frame;
    const int cx = 60 + (index * 3) % 200, cy = 50 + (index * 2) % 140;
    for (int y = cy - 3; y <= cy + 3; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x) frame[static_cast<size_t>(y) * kStride + 3 * x + 2] = 250;
    return frame;
}

// Settle waits are off (a range of 0): no timer is ever set.
struct NoTimer : SettleWait::Timer {
    bool OnOwnThread() const override { return false; }
    UINT_PTR Set(UINT) override { return 0; }
    void Kill(UINT_PTR) override {}
};

}  // namespace

int main() {
    // The sensor looks straight at a 1024 x 768 desktop.
    CameraModel camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    ScreenMapping mapping{camera, geometry, pattern};
    const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
    mapping.SetProfiles(&lens, 1);
    mapping.SelectProfile(0);
    camera.SetPose({-512.0f, -384.0f, 1142.0f, 0.0f, 0.0f, 0.0f});
    CoreParameterRecord parameters = DefaultCoreParameters();
    parameters.findThreshold[0].range = 0;
    const ImagingParameters& row = parameters.findThreshold[3];
    FrameImages images;
    images.Allocate(kWidth, kHeight);
    SensorDevice sensor;
    NoTimer timer;
    SettleWait settle{timer};
    PointerInput pointer;
    pointer.Reset();
    const SensorToDesktopFunction toDesktop = [&mapping](float u, float v) { return mapping.SensorToDesktop(u, v); };
    GainRun gainRun{sensor.Properties(), settle, parameters, [&row]() -> const ImagingParameters& { return row; },
                    toDesktop};
    TrackRun trackRun{pointer, toDesktop};
    const auto step = [&images](auto& run, const std::vector<BYTE>& frame) {
        images.Bind(frame.data());
        run.Step(images);
        images.Bind(nullptr);
    };

    // Gain finding on the plain screen: settling, clearing, twenty recorded frames, the verdict.
    const std::vector<BYTE> screen = Frame(0, false);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    gainRun.Start(trackRun.ChooseArea(camera, geometry, parameters.tracking, images), screenWidth, screenHeight);
    for (int i = 0; i < 24; ++i) step(gainRun, screen);
    trackRun.Start(parameters.tracking, row.channel, kWidth, kHeight, screenWidth, screenHeight);

    std::vector<std::vector<BYTE>> strokes, moves;
    for (int i = 0; i < kFrames; ++i) {
        strokes.push_back(Frame(i, i % 25 < 22));
        moves.push_back(Frame(i, true));
    }
    int next = 0;
    ReportBench("controller_track_frame", 3000, 1, [&] {
        step(trackRun, strokes[next]);
        next = (next + 1) % kFrames;
    });
    ReportBench("frame_to_sendinput", 3000, 1, [&] {
        step(trackRun, moves[next]);
        next = (next + 1) % kFrames;
    });
    // What the platform's own SendInput costs of the above (under Wine a round trip to the
    // X server; far less on Windows).
    ReportBench("sendinput_alone", 3000, 1, [&] {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = 20000 + 16 * next;
        input.mi.dy = 20000;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        next = (next + 1) % kFrames;
    });
    std::printf("gain found %d\n", gainRun.Found() ? 1 : 0);
    pointer.ReleaseAtLastPosition();
    return 0;
}
