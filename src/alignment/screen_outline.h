#pragma once
// The lit screen's outline in the sensor: where the desktop's four edges are seen, found between
// a white and a black reference to a fraction of a pixel. The board's corners stop well short of
// the edges, where the pen still goes; these points show how the picture bends out there.
#include <opencv2/core/mat.hpp>
#include <opencv2/core/types.hpp>

#include <array>

#include "alignment/camera_model.h"

// Which edge of the screen plane rectangle (0, 0)-(width, height) a point lies on.
enum class ScreenSide { Left, Top, Right, Bottom };

struct OutlinePoints {
    static constexpr int kPerSide = 12;
    static constexpr int kCapacity = 4 * kPerSide;
    std::array<cv::Point2f, kCapacity> sensor{};
    std::array<ScreenSide, kCapacity> side{};
    int count = 0;
    cv::Size2f plane;  // the rectangle's size in screen-plane units
};

// Samples each side of the plane rectangle `plane` where `model` predicts it, searching across
// it for the step of white - black, or of black alone where the white screen clipped. Leaves
// out the sides' ends, samples whose search leaves the picture, and samples without a clear
// step (the screen out of view or too dim there).
// `white` and `black` are 1-channel 8-bit pictures of the lit and the dark screen.
OutlinePoints FindScreenOutline(const cv::Mat& white, const cv::Mat& black,
                                const CameraModel& model, cv::Size2f plane);
