#include "alignment/reprojection_fit.h"

#include <opencv2/calib3d.hpp>

#include <algorithm>
#include <cmath>

#include "alignment/radial_tangential.h"

namespace {

constexpr int kMostSteps = 50;
// Done when a step lowers the squared error by less than this fraction of it, or moves the
// parameters by less than this fraction of their size.
constexpr double kLeastRelativeGain = 1e-10;
constexpr double kFirstDamping = 1e-3;
constexpr double kLeastDamping = 1e-12;
constexpr double kMostDamping = 1e10;

// Rotation (3), translation (3), focal length, k1; with the pose alone the last two stay.
constexpr int kParameters = 8;
using Parameters = cv::Vec<double, kParameters>;

struct NormalEquations {
    cv::Matx<double, kParameters, kParameters> lhs;
    Parameters rhs;
};

class ReprojectionProblem {
public:
    ReprojectionProblem(const PosePoints& points, FreeTerms free, const DetectorProfile& lens)
        : points_(points), free_(free), lens_(lens) {}

    // The squared error at `p`, and with `normal` the Gauss-Newton normal equations there; false
    // when a point falls behind the sensor or the error is not finite.
    bool Evaluate(const Parameters& p, double& cost, NormalEquations* normal) const {
        cv::Matx33d r;
        cv::Matx<double, 3, 9> dr;  // row k: d(r, row by row) / d(rotation k)
        cv::Rodrigues(cv::Vec3d(p[0], p[1], p[2]), r, dr);
        const bool lensFree = free_ == FreeTerms::PoseFocalAndK1;
        const double fx = lensFree ? p[6] : lens_.fx;
        const double ratio = static_cast<double>(lens_.fy) / lens_.fx;
        const double fy = fx * ratio;
        const RadialTangential distortion{lensFree ? p[7] : lens_.k1, lens_.k2, lens_.p1, lens_.p2};
        cost = 0.0;
        if (normal != nullptr) *normal = NormalEquations{};
        for (int i = 0; i < points_.count; ++i) {
            const cv::Vec3d object(points_.objectPoints[i].x, points_.objectPoints[i].y,
                                   points_.objectPoints[i].z);
            const cv::Vec3d seen = r * object + cv::Vec3d(p[3], p[4], p[5]);
            if (!(seen[2] > 0.0)) return false;
            const double x = seen[0] / seen[2];
            const double y = seen[1] / seen[2];
            double xd = 0.0, yd = 0.0;
            distortion.Apply(x, y, xd, yd);
            const double eu = fx * xd + lens_.cx - points_.imagePoints[i].x;
            const double ev = fy * yd + lens_.cy - points_.imagePoints[i].y;
            cost += eu * eu + ev * ev;
            if (normal == nullptr) continue;
            double j11 = 0.0, j12 = 0.0, j21 = 0.0, j22 = 0.0;
            distortion.Jacobian(x, y, j11, j12, j21, j22);
            Parameters du, dv;
            for (int k = 0; k < 6; ++k) {
                cv::Vec3d moved;  // d(seen) / d(parameter k)
                if (k < 3) {
                    for (int row = 0; row < 3; ++row)
                        moved[row] = dr(k, 3 * row) * object[0] + dr(k, 3 * row + 1) * object[1] +
                                     dr(k, 3 * row + 2) * object[2];
                } else {
                    moved[k - 3] = 1.0;
                }
                const double dx = (moved[0] - x * moved[2]) / seen[2];
                const double dy = (moved[1] - y * moved[2]) / seen[2];
                du[k] = fx * (j11 * dx + j12 * dy);
                dv[k] = fy * (j21 * dx + j22 * dy);
            }
            if (lensFree) {
                const double r2 = x * x + y * y;
                du[6] = xd;
                dv[6] = yd * ratio;
                du[7] = fx * x * r2;
                dv[7] = fy * y * r2;
            }
            normal->lhs += du * du.t() + dv * dv.t();
            normal->rhs -= du * eu + dv * ev;
        }
        if (normal != nullptr && !lensFree)
            for (int k = 6; k < kParameters; ++k) normal->lhs(k, k) = 1.0;
        return std::isfinite(cost);
    }

private:
    const PosePoints& points_;
    const FreeTerms free_;
    const DetectorProfile& lens_;
};

// Levenberg-Marquardt from `p`; false when the start itself cannot be evaluated.
bool Minimise(const ReprojectionProblem& problem, Parameters& p) {
    double cost = 0.0;
    NormalEquations normal;
    if (!problem.Evaluate(p, cost, &normal)) return false;
    double damping = kFirstDamping;
    for (int step = 0; step < kMostSteps; ++step) {
        bool moved = false;
        while (!moved && damping <= kMostDamping) {
            cv::Matx<double, kParameters, kParameters> damped = normal.lhs;
            for (int k = 0; k < kParameters; ++k) damped(k, k) *= 1.0 + damping;
            Parameters change = normal.rhs;
            double trialCost = 0.0;
            if (cv::Cholesky(damped.val, kParameters * sizeof(double), kParameters, change.val,
                             sizeof(double), 1) &&
                problem.Evaluate(p + change, trialCost, nullptr) && trialCost <= cost) {
                moved = true;
                damping = std::max(damping / 10.0, kLeastDamping);
                p += change;
                const bool settled = cost - trialCost <= kLeastRelativeGain * cost ||
                                     cv::norm(change) <= kLeastRelativeGain * cv::norm(p);
                if (settled || !problem.Evaluate(p, cost, &normal)) return true;
            } else {
                damping *= 10.0;
            }
        }
        if (!moved) return true;  // no step lowers the error any more
    }
    return true;
}

}  // namespace

bool PolishReprojectionFit(const PosePoints& points, FreeTerms free, DetectorProfile& lens,
                           CameraPose& pose) {
    if (points.count < 1 || points.count > PosePoints::kCapacity || lens.fx == 0.0f ||
        lens.fy == 0.0f)
        return false;
    const ReprojectionProblem problem(points, free, lens);
    Parameters p(pose.rx, pose.ry, pose.rz, pose.tx, pose.ty, pose.tz, lens.fx, lens.k1);
    if (!Minimise(problem, p)) return false;
    for (int k = 0; k < kParameters; ++k)
        if (!std::isfinite(p[k])) return false;
    pose = {static_cast<float>(p[3]), static_cast<float>(p[4]), static_cast<float>(p[5]),
            static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
    if (free == FreeTerms::PoseFocalAndK1) {
        lens.fy = static_cast<float>(p[6] * lens.fy / lens.fx);
        lens.fx = static_cast<float>(p[6]);
        lens.k1 = static_cast<float>(p[7]);
    }
    return true;
}
