// The Controller's whole tracking step as the sensor thread runs it: OnFrame in Track on a
// 320 x 240 frame, from the channel extraction to the SendInput call that moves the pointer.
// The second figure takes only frames in which the pen moves, so each one ends in SendInput:
// it is the latency from a frame's delivery to the return of its pointer event.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_timing.h"

#include "controller/controller.h"

// The benchmark puts the Controller into a working state directly, as the tests do.
struct ControllerTestAccess {
    static void Align(Controller& c) {
        const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
        c.model_.mapping.SetProfiles(&lens, 1);
        c.model_.mapping.SelectProfile(0);
        c.model_.camera.SetPose({-512.0f, -384.0f, 1142.0f, 0.0f, 0.0f, 0.0f});
        c.records_.coreParameters.findThreshold[0].range = 0;
        c.modes_.ChangeMode(Mode::Idle);
        c.modes_.alignmentUsable = 1;
    }
    static void GainFound(Controller& c) { c.modes_.gainFound = 1; }
    static bool GainRunFound(const Controller& c) { return c.gainRun_.Found(); }
};

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

}  // namespace

int main() {
    HWND main = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    Controller controller;
    controller.AttachWindow(main);
    BITMAPINFOHEADER format{};
    format.biSize = sizeof(format);
    format.biWidth = kWidth;
    format.biHeight = kHeight;
    format.biBitCount = 24;
    controller.PrepareFrame(format);
    ControllerTestAccess::Align(controller);

    // Gain finding on the plain screen: settling, clearing, twenty recorded frames, the verdict.
    const std::vector<BYTE> screen = Frame(0, false);
    controller.EnterMode(Mode::FindGain);
    for (int i = 0; i < 24; ++i) controller.OnFrame(screen.data());
    const bool gainFound = ControllerTestAccess::GainRunFound(controller);
    ControllerTestAccess::GainFound(controller);
    controller.EnterMode(Mode::Track);

    std::vector<std::vector<BYTE>> strokes, moves;
    for (int i = 0; i < kFrames; ++i) {
        strokes.push_back(Frame(i, i % 25 < 22));
        moves.push_back(Frame(i, true));
    }
    int next = 0;
    ReportBench("controller_track_frame", 3000, 1, [&] {
        controller.OnFrame(strokes[next].data());
        next = (next + 1) % kFrames;
    });
    ReportBench("frame_to_sendinput", 3000, 1, [&] {
        controller.OnFrame(moves[next].data());
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
    std::printf("gain found %d, mode %d, frames processed %u\n", gainFound ? 1 : 0,
                static_cast<int>(controller.CurrentMode()), controller.FramesProcessed());
    controller.Shutdown();
    DestroyWindow(main);
    return 0;
}
