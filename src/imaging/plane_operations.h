#pragma once
// Operations on 8-bit planes (and, for FillPlane and MarkRect, on any 8-bit image).
// None allocates; rectangles are clipped to the image.
#include <opencv2/core/mat.hpp>

#include "imaging/pixel_rect.h"

// Over all of `difference`: d := a - b; 0 where d < threshold, else d. With a threshold of 0 or
// less nothing is cut: every difference is stored as a byte, negative ones as their low 8 bits.
void SubtractPlanes(const cv::Mat& a, const cv::Mat& b, cv::Mat& difference, int threshold);

// The level between pixel centres, weighed from the four around (x, y), which must lie at least
// a pixel inside the last column and row.
float LevelBetweenPixels(const cv::Mat& plane, float x, float y);

// Mean byte value inside the rectangle (64-bit sums); 0.0 for an empty rectangle.
double PlaneMean(const cv::Mat& plane, const PixelRect& rect);

// Every byte of the image's rows, including the padding at the row ends, := value.
void FillPlane(cv::Mat& image, uchar value);

// Outline of the rectangle (8-connected, given thickness); with `cross` also a 5-pixel cross
// of thickness 1 through its centre.
void MarkRect(cv::Mat& image, const PixelRect& rect, const cv::Scalar& colour, int thickness,
              bool cross);
