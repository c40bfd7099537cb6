// The sensor's pen as the program's tracking sees it: under the picture controls of the track
// gain level, against the threshold gain finding learns from the bare screen, on a white and a
// black desktop.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/frame_composer.h"
#include "imaging/frame_images.h"
#include "imaging/plane_operations.h"
#include "settings/core_parameter_record.h"
#include "settings/option_record.h"
#include "tracking/brightness_recorder.h"
#include "tracking/gain_evaluation.h"
#include "tracking/spot_finder.h"
#include "tracking/threshold_building.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;
constexpr int kDesktopWidth = 1024, kDesktopHeight = 768;

const ImagingParameters& TrackRow() {
    static const CoreParameterRecord parameters = DefaultCoreParameters();
    return parameters.findThreshold[DefaultOptions().trackGainLevel];
}

class TrackedScene {
public:
    explicit TrackedScene(uint8_t desktopLevel)
        : desktop_(kDesktopWidth * kDesktopHeight * 4, desktopLevel), frame_(kWidth * 3 * kHeight) {
        composer_.Aim(settings_, kDesktopWidth, kDesktopHeight);
        composer_.TakeDesktop(desktop_.data(), kDesktopWidth, kDesktopHeight);
        const ImagingParameters& row = TrackRow();
        PictureControls controls(true);
        controls.Set(ControlKind::ProcAmp, kBrightness, row.brightness, 2);
        controls.Set(ControlKind::ProcAmp, kContrast, row.contrast, 2);
        controls.Set(ControlKind::ProcAmp, kSaturation, row.saturation, 2);
        controls.Set(ControlKind::ProcAmp, kGamma, row.gamma, 2);
        controls.Set(ControlKind::Camera, kExposure, row.exposureTime, 2);
        response_.Configure(controls.Values(), settings_);
    }

    // Gain finding as the program does it, on the bare screen.
    void LearnThreshold() {
        settings_.pen.on = false;
        FrameImages images;
        images.Allocate(kWidth, kHeight);
        images.detectionArea = images.FullRect();
        FillPlane(images.thresholdImage, 0);
        BrightnessRecorder recorder;
        recorder.Begin(images.backgroundPlane);
        const cv::Mat frame(kHeight, kWidth, CV_8UC3, frame_.data());
        for (int i = 0; i < BrightnessRecorder::kFrames; ++i) {
            Compose();
            recorder.Record(frame, images.backgroundPlane, TrackRow().channel, images.FullRect());
        }
        DilateBrightness(images.backgroundPlane);
        images.BuildThreshold(images.backgroundPlane, TrackRow().thresGap, kThresholdLimit);
        threshold_ = images.thresholdImage.clone();
    }

    // Pixels of a frame with the pen at desktop point (x, y) whose level beats the threshold,
    // and the farthest of them from where the pen is seen.
    struct Lit {
        int pixels = 0;
        double reach = 0.0;
    };
    Lit PenAt(double x, double y) {
        settings_.pen = {true, x, y};
        Compose();
        double cu = 0.0, cv = 0.0;
        composer_.PenPixel(x, y, &cu, &cv);
        Lit lit;
        for (int v = 0; v < kHeight; ++v) {
            for (int u = 0; u < kWidth; ++u) {
                if (Level(u, v) <= threshold_.at<uchar>(v, u)) continue;
                ++lit.pixels;
                lit.reach = std::max(lit.reach, std::hypot(u - cu, v - cv));
            }
        }
        return lit;
    }

    // How far the pen's light lies in a noiseless frame from where the pen is seen: the centroid
    // of what it adds to the tracked channel's levels against the projected position.
    double LightOffset(double x, double y) {
        settings_.noise = 0.0;
        settings_.pen.on = false;
        Compose();
        const std::vector<uint8_t> bare = frame_;
        settings_.pen = {true, x, y};
        Compose();
        double sum = 0.0, sumU = 0.0, sumV = 0.0;
        for (int v = 0; v < kHeight; ++v) {
            for (int u = 0; u < kWidth; ++u) {
                const int added = Level(u, v) - bare[Index(u, v)];
                sum += added;
                sumU += added * u;
                sumV += added * v;
            }
        }
        double u = -1.0, v = -1.0;
        composer_.PenPixel(x, y, &u, &v);
        return sum > 0.0 ? std::hypot(sumU / sum - u, sumV / sum - v) : 1e9;
    }

private:
    static size_t Index(int u, int v) { return static_cast<size_t>(v) * kWidth * 3 + u * 3 + TrackRow().channel; }
    uchar Level(int u, int v) const { return frame_[Index(u, v)]; }
    void Compose() { composer_.Compose(response_, settings_, PixelFormat::Rgb24, frame_.data()); }

    SensorSettings settings_;
    FrameComposer composer_{kWidth, kHeight};
    SensorResponse response_;
    std::vector<uint8_t> desktop_;
    std::vector<uint8_t> frame_;
    cv::Mat threshold_;
};

// Pen positions a desktop half pixel apart: they fall on every part of a sensor pixel (one
// sensor pixel spans about four desktop pixels here), near the middle and near a corner.
std::vector<cv::Point2d> PenPositions() {
    std::vector<cv::Point2d> positions;
    for (const cv::Point2d origin : {cv::Point2d(510.0, 380.0), cv::Point2d(150.0, 640.0)})
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 8; ++j) positions.push_back(origin + cv::Point2d(0.5 * i, 0.5 * j));
    return positions;
}

}  // namespace

// On white and on black the pen lights a spot the tracking takes, a diffused tip rather than a
// flood, with its light centred where the pen is seen.
TEST(PenSpot, LightsASpotTheTrackingTakesCentredOnThePen) {
    for (const uint8_t level : {uint8_t{255}, uint8_t{0}}) {
        SCOPED_TRACE(level == 255 ? "white desktop" : "black desktop");
        TrackedScene scene(level);
        scene.LearnThreshold();
        int fewest = 1 << 30;
        double reach = 0.0, offset = 0.0;
        for (const cv::Point2d& p : PenPositions()) {
            const TrackedScene::Lit lit = scene.PenAt(p.x, p.y);
            fewest = std::min(fewest, lit.pixels);
            reach = std::max(reach, lit.reach);
        }
        for (const cv::Point2d& p : PenPositions()) offset = std::max(offset, scene.LightOffset(p.x, p.y));
        EXPECT_GE(fewest, SpotFinder::kMinimumPixels);
        // At most about eight pixels across.
        EXPECT_LE(reach, 5.0);
        EXPECT_LE(offset, 0.1);
    }
}
