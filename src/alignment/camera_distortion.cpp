// The lens side of CameraModel: the radial-tangential distortion and its inverses.
#include "alignment/camera_model.h"

#include <cmath>

#include "alignment/radial_tangential.h"

namespace {

constexpr double kSimpleTolerance = 1e-7;
constexpr int kSimpleIterations = 11;
constexpr double kFullTolerance = 1e-4;
constexpr int kFullEvaluations = 20;
constexpr double kSmallestNormalFloat = 1.1754944e-38;

}  // namespace

cv::Point2f CameraModel::Distort(cv::Point2f point) const {
    const double x = point.x;
    const double y = point.y;
    if (!useFullDistortion_) {
        const double s = 1.0 + profile_.k1 * (x * x + y * y);
        return {static_cast<float>(s * x), static_cast<float>(s * y)};
    }
    const RadialTangential lens{profile_.k1, profile_.k2, profile_.p1, profile_.p2};
    if (lens.IsIdentity()) return point;
    double xd = 0.0;
    double yd = 0.0;
    lens.Apply(x, y, xd, yd);
    return {static_cast<float>(xd), static_cast<float>(yd)};
}

cv::Point2f CameraModel::Undistort(cv::Point2f point) const {
    return useFullDistortion_ ? UndistortFull(point) : UndistortSimple(point);
}

// With one radial coefficient the point keeps its direction, so only y is solved for:
// f(y) = c*y^3 + y/y' - 1 with c = k1*(x'^2/y'^2 + 1)/y'.
cv::Point2f CameraModel::UndistortSimple(cv::Point2f point) const {
    const double k1 = profile_.k1;
    const double xd = point.x;
    const double yd = point.y;
    if (k1 == 0.0 || xd == 0.0 || yd == 0.0) return point;
    const double c = k1 * (xd * xd / (yd * yd) + 1.0) / yd;
    double y = yd;
    for (int i = 0; i < kSimpleIterations; ++i) {
        const double f = c * y * y * y + y / yd - 1.0;
        y -= f / (3.0 * c * y * y + 1.0 / yd);
        if (std::fabs(f) <= kSimpleTolerance) break;
    }
    return {static_cast<float>(xd * y / yd), static_cast<float>(y)};
}

cv::Point2f CameraModel::UndistortFull(cv::Point2f point) const {
    const RadialTangential lens{profile_.k1, profile_.k2, profile_.p1, profile_.p2};
    if (lens.IsIdentity()) return point;
    const double xd = point.x;
    const double yd = point.y;
    double x = xd;
    double y = yd;
    undistortIterations_ = 1;
    for (;;) {
        double fx = 0.0;
        double fy = 0.0;
        lens.Apply(x, y, fx, fy);
        const double ex = fx - xd;
        const double ey = fy - yd;
        if (std::fabs(ex) < kFullTolerance && std::fabs(ey) < kFullTolerance)
            return {static_cast<float>(x), static_cast<float>(y)};
        double j11 = 0.0, j12 = 0.0, j21 = 0.0, j22 = 0.0;
        lens.Jacobian(x, y, j11, j12, j21, j22);
        double det = j11 * j22 - j12 * j21;
        if (det == 0.0) det = kSmallestNormalFloat;
        x -= (j22 * ex - j12 * ey) / det;
        y -= (j11 * ey - j21 * ex) / det;
        if (++undistortIterations_ > kFullEvaluations) return point;
    }
}
