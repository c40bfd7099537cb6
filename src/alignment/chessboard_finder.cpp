#include "alignment/chessboard_finder.h"

#include <opencv2/calib3d.hpp>

#include <algorithm>
#include <vector>

#include "alignment/x_junction_finder.h"

namespace {

// The library refuses patterns with fewer than 3 corners in either direction.
constexpr int kLibraryMinSide = 3;

bool FindCompleteBoard(const cv::Mat& plane, int columns, int rows, CornerBuffer& corners) {
    if (columns < kLibraryMinSide || rows < kLibraryMinSide) return false;
    // The library allocates on every search anyway; a vector keeps its output shape out of the
    // way of the caller's buffer.
    std::vector<cv::Point2f> found;
    try {
        if (!cv::findChessboardCorners(plane, cv::Size(columns, rows), found,
                                       cv::CALIB_CB_ADAPTIVE_THRESH))
            return false;
    } catch (const cv::Exception&) {
        return false;
    }
    if (found.size() != static_cast<size_t>(columns * rows)) return false;
    std::copy(found.begin(), found.end(), corners.points);
    return true;
}

}  // namespace

int FindChessboard(const cv::Mat& plane, int columns, int rows, CornerBuffer& corners) {
    const int pattern = columns * rows;
    const int room = corners.count >= 1 && corners.count <= CornerBuffer::kCapacity
                         ? corners.count
                         : pattern;
    corners.count = 0;
    if (columns < 1 || rows < 1 || pattern > CornerBuffer::kCapacity ||
        plane.type() != CV_8UC1 || plane.empty())
        return 0;
    if (FindCompleteBoard(plane, columns, rows, corners)) {
        corners.count = pattern;
    } else {
        corners.count = FindXJunctions(plane, corners.points, std::min(room, pattern - 1));
    }
    return corners.count;
}
