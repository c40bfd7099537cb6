// Per-frame costs of the vision core on 320 x 240 frames: the tracking detection pass
// (extract, find, detect, measure) on a frame with one pen spot and on a cluttered frame, and
// one sensor-to-screen mapping.
#include <cstdint>
#include <random>
#include <vector>

#include "alignment/camera_model.h"
#include "bench_timing.h"
#include "imaging/frame_images.h"
#include "imaging/frame_operations.h"
#include "imaging/plane_operations.h"
#include "tracking/spot_detection.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kStride = kWidth * 3;
constexpr int kChannel = 1;

// A dim projected picture with sensor noise; lit things are drawn on top.
std::vector<std::uint8_t> DimFrame(std::mt19937& random) {
    std::vector<std::uint8_t> frame(static_cast<size_t>(kStride) * kHeight);
    std::uniform_int_distribution<int> noise(20, 150);
    for (std::uint8_t& byte : frame) byte = static_cast<std::uint8_t>(noise(random));
    return frame;
}

void Light(std::vector<std::uint8_t>& frame, int x, int y, int width, int height) {
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i) frame[static_cast<size_t>(j) * kStride + 3 * i + kChannel] = 250;
}

class DetectionPass {
public:
    explicit DetectionPass(const std::vector<std::uint8_t>& frame) : frame_(frame) {
        BITMAPINFOHEADER format{};
        format.biSize = sizeof(format);
        format.biWidth = kWidth;
        format.biHeight = kHeight;
        format.biPlanes = 1;
        format.biBitCount = 24;
        images_.SetFormat(format);
        images_.Bind(frame_.data());
        FillPlane(images_.thresholdImage, 200);
        finder_.SetSize(kWidth, kHeight);
        previous_.blobCount = 1;
        previous_.spot = {100, 100, 12, 12};
        previous_.centroidX = 106.0f;
        previous_.centroidY = 106.0f;
    }

    bool Run() {
        ExtractChannel(images_.frame, images_.channelPlane, kChannel, images_.detectionArea);
        current_.blobCount =
            finder_.Find(images_.channelPlane, images_.detectionArea, images_.thresholdImage);
        const SpotView view{images_.frame, images_.thresholdImage, kChannel, images_.detectionArea};
        if (!DetectSpot(finder_, view, parameters_, previous_, current_, blocking_)) return false;
        return MeasureSpot(images_.frame, images_.backgroundPlane, kChannel, parameters_.maxAveNoise, current_);
    }

private:
    std::vector<std::uint8_t> frame_;
    FrameImages images_;
    SpotFinder finder_;
    SpotParameters parameters_;
    SpotRecord previous_;
    SpotRecord current_;
    BlockingCounter blocking_;
};

}  // namespace

int main() {
    std::mt19937 random(7);

    std::vector<std::uint8_t> oneSpot = DimFrame(random);
    Light(oneSpot, 103, 104, 7, 7);
    DetectionPass spotPass(oneSpot);
    if (!spotPass.Run()) return 1;
    ReportBench("vision_detect_one_spot", 2000, 1, [&] { spotPass.Run(); });

    // Specks too small to count, two spot-sized regions, a lit bar and a reflection square.
    std::vector<std::uint8_t> cluttered = DimFrame(random);
    std::uniform_int_distribution<int> x(2, kWidth - 6), y(2, kHeight - 6), size(1, 4);
    for (int i = 0; i < 300; ++i) Light(cluttered, x(random), y(random), size(random), 1);
    Light(cluttered, 103, 104, 7, 7);
    Light(cluttered, 220, 60, 9, 8);
    Light(cluttered, 30, 200, 70, 5);
    Light(cluttered, 250, 170, 40, 40);
    DetectionPass clutteredPass(cluttered);
    ReportBench("vision_detect_cluttered", 2000, 1, [&] { clutteredPass.Run(); });

    CameraModel model;
    DetectorProfile profile;
    profile.fx = 280.0f;
    profile.fy = 282.0f;
    profile.cx = 163.0f;
    profile.cy = 117.0f;
    profile.k1 = -0.25f;
    profile.k2 = 0.08f;
    profile.p1 = 0.0015f;
    profile.p2 = -0.001f;
    model.SetIntrinsics(profile);
    if (!model.SetPose(CameraPose{-480.0f, -330.0f, 1000.0f, 0.1f, -0.12f, 0.03f})) return 1;
    float u = 40.0f;
    volatile float sink = 0.0f;
    ReportBench("vision_sensor_to_board", 500, 1000, [&] {
        u = u < 280.0f ? u + 0.37f : 40.0f;
        sink = sink + model.SensorToBoard(u, 0.5f * u).x;
    });
    return 0;
}
