#pragma once
#include <opencv2/core/mat.hpp>

#include "settings/pattern_points.h"

// Looks for the columns x rows inner corners of a chessboard in an 8-bit plane (adaptive
// threshold) and returns how many corners it stored in `corners` (also left in its count).
// A complete board yields all columns x rows corners, row by row, refined to sub-pixel
// precision. Otherwise the partial result
// is the plane's crosswise junctions, strongest first, up to the room the caller preset in the
// count (1..36; any other preset means the pattern's size), and always fewer than a complete
// board. Patterns larger than 36 corners or smaller than 1 x 1 find nothing.
int FindChessboard(const cv::Mat& plane, int columns, int rows, CornerBuffer& corners);
