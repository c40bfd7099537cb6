#pragma once
// Per-pixel operations on the 3-channel sensor frame (bytes blue, green, red; channel 0..2).
// Each works on one rectangle with row pointers, allocates nothing, and does nothing for an
// empty rectangle, a channel outside 0..2 or images of the wrong kind. Rectangles are clipped
// to the images they touch.
#include <opencv2/core/mat.hpp>

#include "imaging/pixel_rect.h"

// plane(x, y) := frame channel at (x, y).
void ExtractChannel(const cv::Mat& frame, cv::Mat& plane, int channel, const PixelRect& rect);

// plane(x, y) := max(plane(x, y), frame channel at (x, y)); the second form covers the frame.
void MaxChannel(const cv::Mat& frame, cv::Mat& plane, int channel, const PixelRect& rect);
void MaxChannel(const cv::Mat& frame, cv::Mat& plane, int channel);

// difference(x, y) := frame channel - base(x, y), 0 where negative.
void SubtractChannel(const cv::Mat& frame, const cv::Mat& base, cv::Mat& difference,
                     const PixelRect& rect, int channel);

struct LitCount {
    int count = 0;  // pixels whose channel value is at least the threshold
    int mean = 0;   // integer mean of the other pixels, 0 when there are none
};
LitCount CountLit(const cv::Mat& frame, int threshold, const PixelRect& rect, int channel);
LitCount CountLit(const cv::Mat& frame, int threshold, int channel);

// Sum of the channel at (x, y) and its four neighbours, each only when inside the frame.
int CrossSum(const cv::Mat& frame, int channel, int x, int y);
