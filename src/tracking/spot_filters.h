#pragma once
// Shape and surroundings tests that tell a pen spot from other lit structures. Both read the
// tracked channel of the frame against the per-pixel threshold image.
#include <opencv2/core/mat.hpp>

#include "imaging/pixel_rect.h"

// What the tests look at: the frame, the threshold image, the tracked channel and the
// detection area.
struct SpotView {
    const cv::Mat& frame;
    const cv::Mat& threshold;
    int channel;
    PixelRect area;
};

struct BandResult {
    bool pass = true;
    int horizontalSpan = -1;  // -1 when not measured
    int verticalSpan = -1;
};

// Fails a rectangle whose lit pixels spread wider than `band` along its middle row(s) and
// taller than `band` along its middle column(s). A band below 1 always passes.
BandResult BandTest(const SpotView& view, const PixelRect& rect, int band);

// True when the rectangle is part of a larger lit structure: enough of the four points just
// outside the middle of its sides are above `ratio` percent of the threshold there. Sides that
// touch the detection area are not sampled and count toward `count` only when another is lit.
bool EdgeLitTest(const SpotView& view, const PixelRect& rect, int ratio, int count);
