#pragma once
// Finds chessboard corners one by one where no complete board can be found: the points of a
// plane where two light and two dark areas meet crosswise.
#include <opencv2/core/mat.hpp>

// Writes at most `room` junctions of the 8-bit plane, refined to sub-pixel precision,
// strongest first; returns how many it wrote.
int FindXJunctions(const cv::Mat& plane, cv::Point2f* points, int room);
