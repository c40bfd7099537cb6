#pragma once
// Records the brightest value each pixel of the screen shows over a run of frames.
#include <opencv2/core/mat.hpp>

#include "imaging/pixel_rect.h"

class BrightnessRecorder {
public:
    static constexpr int kFrames = 20;

    // Clears the accumulator and starts counting again.
    void Begin(cv::Mat& accumulator);
    // Adds one frame's channel inside the area; returns true, adding nothing, once kFrames
    // frames are in: that frame is the one to evaluate on.
    bool Record(const cv::Mat& frame, cv::Mat& accumulator, int channel, const PixelRect& area);
    int Frames() const { return frames_; }

private:
    int frames_ = 0;
};
