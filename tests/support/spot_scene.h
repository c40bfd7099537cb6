#pragma once
// A 320 x 240 frame with a flat threshold, lit rectangles drawn into the tracked channel, and
// the per-frame detection calls in the order tracking makes them.
#include "synthetic_frame.h"
#include "imaging/frame_images.h"
#include "imaging/frame_operations.h"
#include "imaging/plane_operations.h"
#include "tracking/spot_detection.h"

class SpotScene {
public:
    static constexpr int kChannel = 1;
    static constexpr uchar kThreshold = 100;

    SpotScene() : buffer_(320, 240) {
        images.SetFormat(buffer_.Format());
        images.Bind(buffer_.Data());
        FillPlane(images.thresholdImage, kThreshold);
        finder.SetSize(images.Width(), images.Height());
    }

    void Light(const PixelRect& rect, std::uint8_t value = 200, int channel = kChannel) {
        buffer_.FillRect(rect, channel, value);
    }
    void SetPixel(int x, int y, int channel, std::uint8_t value) { buffer_.At(x, y, channel) = value; }

    SpotView View() const {
        return SpotView{images.frame, images.thresholdImage, kChannel, images.detectionArea};
    }

    // Extract and find, as every tracking frame starts.
    int Find() {
        ExtractChannel(images.frame, images.channelPlane, kChannel, images.detectionArea);
        return finder.Find(images.channelPlane, images.detectionArea, images.thresholdImage);
    }

    bool Detect(const SpotParameters& parameters = SpotParameters()) {
        current.blobCount = Find();
        return DetectSpot(finder, View(), parameters, previous, current, blocking);
    }

    bool Measure(int maxAveNoise = 128) {
        return MeasureSpot(images.frame, images.backgroundPlane, kChannel, maxAveNoise, current);
    }

    FrameImages images;
    SpotFinder finder;
    SpotRecord previous;
    SpotRecord current;
    BlockingCounter blocking;

private:
    SyntheticFrame buffer_;
};
