#include "alignment/corner_refinement.h"

#include <opencv2/imgproc.hpp>

namespace {

constexpr int kIterations = 10;
constexpr double kSmallestStep = 0.01;

}  // namespace

void RefineCorners(const cv::Mat& plane, cv::Point2f* points, int count, int halfSize) {
    if (plane.type() != CV_8UC1 || plane.empty() || count <= 0 || halfSize < 1 ||
        plane.cols < 2 * halfSize + 5 || plane.rows < 2 * halfSize + 5)
        return;
    cv::Mat corners(count, 1, CV_32FC2, points);
    try {
        cv::cornerSubPix(plane, corners, cv::Size(halfSize, halfSize), cv::Size(-1, -1),
                         cv::TermCriteria(cv::TermCriteria::COUNT | cv::TermCriteria::EPS,
                                          kIterations, kSmallestStep));
    } catch (const cv::Exception&) {
        // The corners keep their unrefined positions.
    }
}
