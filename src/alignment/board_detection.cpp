#include "alignment/board_detection.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>

#include "alignment/chessboard_finder.h"
#include "alignment/corner_refinement.h"
#include "alignment/pattern_screen.h"
#include "imaging/frame_operations.h"
#include "imaging/pattern_primitives.h"
#include "imaging/plane_operations.h"

namespace {

constexpr int kQuadrantRoom = 9;
constexpr int kSingleCornerLevel = 25;
constexpr int kBoardRefineHalfSize = 5;
constexpr int kQuadrantRefineHalfSize = 3;

int RunFinder(const cv::Mat& plane, int columns, int rows, int room, CornerBuffer& corners) {
    corners.count = room;
    const int found = std::min(FindChessboard(plane, columns, rows, corners), room);
    corners.count = found;
    return found;
}

}  // namespace

PixelRect FindLitScreen(const cv::Mat& white, const cv::Mat& black, cv::Mat& difference,
                        const PixelRect& area) {
    SubtractPlanes(white, black, difference, 1);
    const int width = difference.cols;
    const int height = difference.rows;
    const PixelRect centre{width / 6, height / 6, width - 2 * (width / 6),
                           height - 2 * (height / 6)};
    const int threshold = static_cast<int>(PlaneMean(difference, centre) * 80 / 100);
    // Cut at the threshold first: a region grows only over pixels as bright as its seed, and a
    // screen that is not clipped white dims towards its edges, so it would break into bands.
    cv::threshold(difference, difference, threshold, 255, cv::THRESH_BINARY);
    const PixelRect scan{area.x, area.y, area.width - 1, area.height - 1};
    // The region may grow past `area`: a screen that fills the frame's height would otherwise be
    // cut right at the board's outer squares, and the finder needs the light around them.
    const PixelRect lit = LargestRegion(difference, 0, scan);
    if (lit.width * 7 > 2 * width && lit.height * 7 > 2 * height) return lit;
    return area;
}

int DetectTileAdaptive(const DetectionImages& images, int columns, int rows,
                       CornerBuffer& corners) {
    SubtractChannel(images.frame, images.black, images.work, images.area, images.channel);
    TileBinarize(images.work, images.plane, (columns + 1) / 2, rows + 1, images.area);
    return RunFinder(images.plane, columns, rows, kBoardCorners, corners);
}

int TileCutContrast(const DetectionImages& images) {
    // Sums and counts of the difference plane on the cut's dark (0) and lit (1) side.
    double sums[2] = {0.0, 0.0};
    int counts[2] = {0, 0};
    const PixelRect& area = images.area;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* cut = images.plane.ptr<uchar>(y);
        const uchar* difference = images.work.ptr<uchar>(y);
        for (int x = area.x; x < area.Right(); ++x) {
            const int side = cut[x] != 0 ? 1 : 0;
            sums[side] += difference[x];
            ++counts[side];
        }
    }
    if (counts[0] == 0 || counts[1] == 0) return 0;
    return static_cast<int>(sums[1] / counts[1] - sums[0] / counts[0]);
}

int DetectBetweenReferences(const DetectionImages& images, int columns, int rows,
                            CornerBuffer& corners, int& foundLevel) {
    for (int level : kBinarizeLevels) {
        foundLevel = level;
        BlendThreshold(images.frame, images.black, images.white, images.plane, images.channel,
                       level, false, images.area);
        if (RunFinder(images.plane, columns, rows, kBoardCorners, corners) == kBoardCorners) {
            // The cut plane only says which side of a square edge a pixel lies; the frame's
            // own channel places each corner to a fraction of a pixel.
            ExtractChannel(images.frame, images.work, images.channel, images.area);
            RefineCorners(images.work, corners.points, kBoardCorners, kBoardRefineHalfSize);
            CentreCornersBySymmetry(images.work, corners.points, kBoardCorners,
                                    kBoardRefineHalfSize);
            return kBoardCorners;
        }
    }
    foundLevel = 0;
    return corners.count;
}

int BrightestQuadrant(const DetectionImages& images, int level, PixelRect& lit) {
    BlendThreshold(images.frame, images.black, images.white, images.plane, images.channel, level,
                   false, images.area);
    const int halfWidth = images.area.width / 2;
    const int halfHeight = images.area.height / 2;
    int best = 0;
    double bestMean = -1.0;
    for (int q = 0; q < 4; ++q) {
        const PixelRect quadrant{images.area.x + (q % 2) * halfWidth + halfWidth / 8,
                                 images.area.y + (q / 2) * halfHeight + halfHeight / 8,
                                 halfWidth - 2 * (halfWidth / 8),
                                 halfHeight - 2 * (halfHeight / 8)};
        const double mean = PlaneMean(images.plane, quadrant);
        if (mean > bestMean) {
            bestMean = mean;
            best = q;
            lit = quadrant;
        }
    }
    return best;
}

int QuadrantOfCornersInside(const CornerBuffer& saved, const PixelRect& rect, int columns,
                            int rows) {
    std::array<int, 4> votes{};
    const int count = std::min(columns * rows, kBoardCorners);
    for (int i = 0; i < count; ++i) {
        const cv::Point2f p = saved.points[i];
        if (p.x < rect.x || p.y < rect.y || p.x >= rect.Right() || p.y >= rect.Bottom()) continue;
        const int quadrant = CornerQuadrant(i, columns, rows);
        if (quadrant >= 0) ++votes[quadrant];
    }
    const auto most = std::max_element(votes.begin(), votes.end());
    return *most > 0 ? static_cast<int>(most - votes.begin()) : -1;
}

int FindQuadrantCorners(const DetectionImages& images, int columns, int rows,
                        CornerBuffer& found) {
    const int miniColumns = std::max(columns / 2, 3);
    const int miniRows = std::max(rows / 2, 3);
    for (int level : kBinarizeLevels) {
        BlendThreshold(images.frame, images.black, images.white, images.plane, images.channel,
                       level, true, images.area);
        if (RunFinder(images.plane, miniColumns, miniRows, kQuadrantRoom, found) >= 2) break;
    }
    RefineCorners(images.plane, found.points, found.count, kQuadrantRefineHalfSize);
    return found.count;
}

int FindSingleCorner(const DetectionImages& images, CornerBuffer& corners) {
    BlendThreshold(images.frame, images.black, images.white, images.plane, images.channel,
                   kSingleCornerLevel, true, images.area);
    cv::dilate(images.plane, images.plane, cv::Mat());
    corners = CornerBuffer{};
    return RunFinder(images.plane, 3, 3, 1, corners);
}
