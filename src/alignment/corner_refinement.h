#pragma once
#include <opencv2/core/mat.hpp>

// Moves each corner to the sub-pixel saddle point of the 8-bit plane within a window of
// (2 * halfSize + 1) pixels a side, without a zero zone; at most 10 iterations or until a step
// is below 0.01 pixels. Does nothing for an unusable plane or window.
void RefineCorners(const cv::Mat& plane, cv::Point2f* points, int count, int halfSize);
