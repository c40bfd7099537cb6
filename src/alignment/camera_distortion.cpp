// The lens side of CameraModel: the radial-tangential distortion and its inverses.
#include "alignment/camera_model.h"

#include <cmath>

namespace {

constexpr double kSimpleTolerance = 1e-7;
constexpr int kSimpleIterations = 11;
constexpr double kFullTolerance = 1e-4;
constexpr int kFullEvaluations = 20;
constexpr double kSmallestNormalFloat = 1.1754944e-38;

struct Lens {
    double k1, k2, p1, p2;

    bool IsIdentity() const { return k1 == 0.0 && k2 == 0.0 && p1 == 0.0 && p2 == 0.0; }

    void Apply(double x, double y, double& xd, double& yd) const {
        const double r2 = x * x + y * y;
        const double radial = 1.0 + k1 * r2 + k2 * r2 * r2;
        xd = x * radial + 2.0 * p1 * x * y + p2 * (r2 + 2.0 * x * x);
        yd = y * radial + p1 * (r2 + 2.0 * y * y) + 2.0 * p2 * x * y;
    }

    // Partial derivatives of Apply: j11 = dxd/dx, j12 = dxd/dy, j21 = dyd/dx, j22 = dyd/dy.
    void Jacobian(double x, double y, double& j11, double& j12, double& j21, double& j22) const {
        const double r2 = x * x + y * y;
        const double radial = 1.0 + k1 * r2 + k2 * r2 * r2;
        const double radialSlope = 2.0 * (k1 + 2.0 * k2 * r2);  // d(radial)/d(r2) times 2
        j11 = radial + x * x * radialSlope + 2.0 * p1 * y + 6.0 * p2 * x;
        j12 = x * y * radialSlope + 2.0 * p1 * x + 2.0 * p2 * y;
        j21 = x * y * radialSlope + 2.0 * p1 * x + 2.0 * p2 * y;
        j22 = radial + y * y * radialSlope + 6.0 * p1 * y + 2.0 * p2 * x;
    }
};

}  // namespace

cv::Point2f CameraModel::Distort(cv::Point2f point) const {
    const double x = point.x;
    const double y = point.y;
    if (!useFullDistortion_) {
        const double s = 1.0 + profile_.k1 * (x * x + y * y);
        return {static_cast<float>(s * x), static_cast<float>(s * y)};
    }
    const Lens lens{profile_.k1, profile_.k2, profile_.p1, profile_.p2};
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
    const Lens lens{profile_.k1, profile_.k2, profile_.p1, profile_.p2};
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
