#pragma once
// Binarizations and the region search the alignment runs on 8-bit planes. Each touches only
// pixels inside the rectangle it is given (clipped to the images).
#include <opencv2/core/mat.hpp>

#include "imaging/pixel_rect.h"

// Splits the rectangle into nx x ny tiles (the last column and row take the remainder) and sets
// each destination pixel to 255 where the source is above its tile's mean, else 0.
void TileBinarize(const cv::Mat& source, cv::Mat& destination, int tilesAcross, int tilesDown,
                  const PixelRect& rect);

// Binarizes the frame channel between a dark (`low`) and a bright (`high`) reference plane:
// the cut is low + (high - low) * percent / 100 (percent outside 20..90 counts as 50). Output 0
// where the value is below the cut (above it with `invert`), else 255; 255 where low >= high.
void BlendThreshold(const cv::Mat& frame, const cv::Mat& low, const cv::Mat& high,
                    cv::Mat& destination, int channel, int percent, bool invert,
                    const PixelRect& rect);

// Bounding box of the largest region (by box area, the first on ties) grown from pixels above
// `level`, each region taking the 4-connected pixels at least as bright as its seed. Consumes
// the image; (0, 0, 0, 0) when no pixel is above the level.
PixelRect LargestRegion(cv::Mat& image, int level, const PixelRect& rect);
