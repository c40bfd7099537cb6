#pragma once
#include <opencv2/core/mat.hpp>

// Moves each corner to the sub-pixel saddle point of the 8-bit plane within a window of
// (2 * halfSize + 1) pixels a side, without a zero zone; at most 10 iterations or until a step
// is below 0.01 pixels. Does nothing for an unusable plane or window.
void RefineCorners(const cv::Mat& plane, cv::Point2f* points, int count, int halfSize);

// Moves each corner to where the plane around it, within a window of (2 * halfSize + 1) pixels
// a side, is most nearly point-symmetric: the middle of a chessboard's crossing, whatever the
// sensor's response does to the levels. Where the white clipped, the squares are two levels
// with no grey between them and the saddle above can only land on pixel borders; the symmetry
// of the crossing still places it between them. A corner that would move by more than a pixel,
// or whose window leaves the plane, keeps its place.
void CentreCornersBySymmetry(const cv::Mat& plane, cv::Point2f* points, int count, int halfSize);
