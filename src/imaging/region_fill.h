#pragma once
// 4-connected scan-line fill over an 8-bit plane with an explicit stack of line seeds. It
// consumes what it takes: every taken pixel is set to 0, so it can neither seed nor be taken
// again. The stack keeps its storage between fills.
#include <opencv2/core/mat.hpp>

#include <cstdint>
#include <vector>

#include "imaging/pixel_rect.h"

struct FilledRegion {
    PixelRect box;   // smallest rectangle holding every taken pixel
    int pixels = 0;  // how many were taken
};

class RegionFill {
public:
    // Makes room for the seeds of planes up to width x height.
    void Reserve(int width, int height);
    // Takes every pixel 4-connected to (x, y) inside the first width x height pixels of the
    // plane whose value is at least `lowerBound` (at least 1: cleared pixels are never taken).
    FilledRegion Fill(cv::Mat& plane, int width, int height, int x, int y, int lowerBound);

private:
    struct Seed {
        std::uint16_t x;
        std::uint16_t y;
    };
    std::vector<Seed> stack_;
};
