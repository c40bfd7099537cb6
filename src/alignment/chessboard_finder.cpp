#include "alignment/chessboard_finder.h"

#include <opencv2/calib3d.hpp>

#include <algorithm>
#include <vector>

#include "alignment/corner_refinement.h"
#include "alignment/x_junction_finder.h"

namespace {

// The library refuses patterns with fewer than 3 corners in either direction.
constexpr int kLibraryMinSide = 3;

// The library's own refinement is coarse; a window of about a third of the corner spacing
// sharpens the corners without reaching the neighbouring ones.
int RefineHalfSize(const CornerBuffer& corners, int columns, int rows) {
    double spacing = 1e9;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const cv::Point2f& here = corners.points[r * columns + c];
            if (c + 1 < columns)
                spacing = std::min(spacing, cv::norm(corners.points[r * columns + c + 1] - here));
            if (r + 1 < rows)
                spacing = std::min(spacing, cv::norm(corners.points[(r + 1) * columns + c] - here));
        }
    }
    return std::clamp(static_cast<int>(spacing * 0.35), 2, 5);
}

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
    RefineCorners(plane, corners.points, columns * rows, RefineHalfSize(corners, columns, rows));
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
