#include "alignment/corner_refinement.h"

#include <opencv2/imgproc.hpp>

#include <cmath>

#include "imaging/plane_operations.h"

namespace {

constexpr int kIterations = 10;
constexpr double kSmallestStep = 0.01;
// The symmetric centre is searched from half a pixel around the saddle down to kSmallestStep.
constexpr float kFirstSymmetryStep = 0.5f;
constexpr float kFarthestSymmetryMove = 1.0f;

// Sum of squared differences between the plane at c + d and at c - d over the window.
float Asymmetry(const cv::Mat& plane, cv::Point2f c, int halfSize) {
    float sum = 0.0f;
    for (int j = -halfSize; j <= halfSize; ++j) {
        for (int i = 0; i <= halfSize; ++i) {
            if (i == 0 && j <= 0) continue;
            const float d = LevelBetweenPixels(plane, c.x + i, c.y + j) - LevelBetweenPixels(plane, c.x - i, c.y - j);
            sum += d * d;
        }
    }
    return sum;
}

bool WindowInside(const cv::Mat& plane, cv::Point2f c, float reach) {
    return c.x - reach >= 0.0f && c.y - reach >= 0.0f && c.x + reach < plane.cols - 1 &&
           c.y + reach < plane.rows - 1;
}

cv::Point2f SymmetricCentre(const cv::Mat& plane, cv::Point2f start, int halfSize) {
    const float reach = halfSize + kFarthestSymmetryMove + kFirstSymmetryStep;
    if (!WindowInside(plane, start, reach)) return start;
    cv::Point2f centre = start;
    float best = Asymmetry(plane, centre, halfSize);
    for (float step = kFirstSymmetryStep; step >= kSmallestStep; step /= 2.0f) {
        for (bool moved = true; moved;) {
            moved = false;
            for (const cv::Point2f move : {cv::Point2f(step, 0.0f), cv::Point2f(-step, 0.0f),
                                           cv::Point2f(0.0f, step), cv::Point2f(0.0f, -step)}) {
                const cv::Point2f trial = centre + move;
                if (std::fabs(trial.x - start.x) > kFarthestSymmetryMove ||
                    std::fabs(trial.y - start.y) > kFarthestSymmetryMove)
                    continue;
                const float asymmetry = Asymmetry(plane, trial, halfSize);
                if (asymmetry < best) {
                    best = asymmetry;
                    centre = trial;
                    moved = true;
                }
            }
        }
    }
    return centre;
}

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

void CentreCornersBySymmetry(const cv::Mat& plane, cv::Point2f* points, int count, int halfSize) {
    if (plane.type() != CV_8UC1 || plane.empty() || halfSize < 1) return;
    for (int i = 0; i < count; ++i) points[i] = SymmetricCentre(plane, points[i], halfSize);
}
