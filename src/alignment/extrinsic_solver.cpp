#include "alignment/extrinsic_solver.h"

#include <opencv2/calib3d.hpp>

#include <cmath>

#include "alignment/reprojection_fit.h"

namespace {

constexpr int kLeastPairs = 4;
constexpr float kDepthNudge = 1e-5f;

// Points that all lie on one line (or on one spot) cannot fix a pose.
template <typename Point>
bool SpreadOverAnArea(const Point* points, int n) {
    double mx = 0.0, my = 0.0;
    for (int i = 0; i < n; ++i) mx += points[i].x, my += points[i].y;
    mx /= n;
    my /= n;
    double sxx = 0.0, syy = 0.0, sxy = 0.0;
    for (int i = 0; i < n; ++i) {
        const double dx = points[i].x - mx;
        const double dy = points[i].y - my;
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
    }
    const double trace = sxx + syy;
    return trace > 0.0 && sxx * syy - sxy * sxy > 1e-6 * trace * trace;
}

// A fitted pose is usable when it is finite and every screen point lies in front of the sensor.
bool SeesEveryPoint(const cv::Vec3d& rotation, const cv::Vec3d& translation,
                    const PosePoints& points) {
    for (int i = 0; i < 3; ++i)
        if (!std::isfinite(rotation[i]) || !std::isfinite(translation[i])) return false;
    cv::Matx33d r;
    cv::Rodrigues(rotation, r);
    for (int i = 0; i < points.count; ++i) {
        const cv::Point3f& p = points.objectPoints[i];
        if (r(2, 0) * p.x + r(2, 1) * p.y + r(2, 2) * p.z + translation[2] <= 0.0) return false;
    }
    return true;
}

}  // namespace

bool FindExtrinsic(CameraModel& model, const PosePoints& points, const CameraPose* start) {
    const int n = points.count;
    if (n < kLeastPairs || n > PosePoints::kCapacity ||
        !SpreadOverAnArea(points.objectPoints, n) || !SpreadOverAnArea(points.imagePoints, n))
        return false;
    const DetectorProfile& profile = model.Profile();
    CameraPose pose;
    const auto fromStart = [&] {
        pose = *start;
        DetectorProfile lens = profile;
        return PolishReprojectionFit(points, FreeTerms::Pose, lens, pose) &&
               SeesEveryPoint(cv::Vec3d(pose.rx, pose.ry, pose.rz),
                              cv::Vec3d(pose.tx, pose.ty, pose.tz), points);
    };
    const auto fromNothing = [&] {
        const cv::Matx33f camera(profile.fx, 0.0f, profile.cx, 0.0f, profile.fy, profile.cy, 0.0f,
                                 0.0f, 1.0f);
        const cv::Matx14f distortion(profile.k1, profile.k2, profile.p1, profile.p2);
        const cv::Mat objects(1, n, CV_32FC3, const_cast<cv::Point3f*>(points.objectPoints));
        const cv::Mat images(1, n, CV_32FC2, const_cast<cv::Point2f*>(points.imagePoints));
        cv::Vec3d rotation;
        cv::Vec3d translation;
        try {
            if (!cv::solvePnP(objects, images, camera, distortion, rotation, translation, false,
                              cv::SOLVEPNP_ITERATIVE) ||
                !SeesEveryPoint(rotation, translation, points))
                return false;
        } catch (const cv::Exception&) {
            return false;
        }
        pose = {static_cast<float>(translation[0]), static_cast<float>(translation[1]),
                static_cast<float>(translation[2]), static_cast<float>(rotation[0]),
                static_cast<float>(rotation[1]), static_cast<float>(rotation[2])};
        return true;
    };
    if (!(start != nullptr && fromStart()) && !fromNothing()) return false;
    if (model.SetPose(pose)) return true;
    pose.tz += kDepthNudge;
    return model.SetPose(pose);
}
