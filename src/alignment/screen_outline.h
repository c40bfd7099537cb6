#pragma once
// The lit screen's outline in the sensor: where the desktop's four edges are seen, found between
// a white and a black reference to a fraction of a pixel. The board's corners stop well short of
// the edges, where the pen still goes; these points show how the picture bends out there.
#include <opencv2/core/mat.hpp>
#include <opencv2/core/types.hpp>

#include <array>

#include "alignment/camera_model.h"

// Which side of the screen a point lies on.
enum class ScreenSide { Left, Top, Right, Bottom };

struct OutlinePoints {
    static constexpr int kPerSide = 12;
    static constexpr int kCapacity = 4 * kPerSide;
    std::array<cv::Point2f, kCapacity> sensor{};
    std::array<ScreenSide, kCapacity> side{};
    // Where across its side the point's edge lies in the screen plane: x on the left and right
    // side, y on the others.
    std::array<float, kCapacity> edge{};
    int count = 0;
};

// Samples each side of `lit`, the screen-plane rectangle the white reference lit (the program's
// window: its caption and menu bar look alike in both references), where `model` predicts it,
// searching across it for the step of white - black. Where the white clipped it takes the step
// of black alone across the same side of `screen`, the whole desktop, instead. Leaves out the
// sides' ends, samples whose search leaves the picture, and samples without a clear step (the
// screen out of view or too dim there). `white` and `black` are 1-channel 8-bit pictures of the
// lit and the dark screen.
OutlinePoints FindScreenOutline(const cv::Mat& white, const cv::Mat& black,
                                const CameraModel& model, const cv::Rect2f& screen,
                                const cv::Rect2f& lit);
