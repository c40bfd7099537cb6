#include "alignment/camera_model.h"

#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>

#include <cmath>

namespace {

constexpr float kFullModelSelection = 1e-5f;

double Determinant(const cv::Matx33f& m) {
    return static_cast<double>(m(0, 0)) * (static_cast<double>(m(1, 1)) * m(2, 2) -
                                           static_cast<double>(m(1, 2)) * m(2, 1)) -
           static_cast<double>(m(0, 1)) * (static_cast<double>(m(1, 0)) * m(2, 2) -
                                           static_cast<double>(m(1, 2)) * m(2, 0)) +
           static_cast<double>(m(0, 2)) * (static_cast<double>(m(1, 0)) * m(2, 1) -
                                           static_cast<double>(m(1, 1)) * m(2, 0));
}

}  // namespace

CameraModel::CameraModel()
    : plane_(cv::Matx33f::eye()),
      extrinsic_(cv::Matx44f::eye()),
      extrinsicInverse_(cv::Matx44f::eye()),
      rayPlane_(cv::Matx33f::eye()) {}

void CameraModel::SetIntrinsics(const DetectorProfile& profile) {
    profile_ = profile;
    useFullDistortion_ = std::fabs(profile.k2) > kFullModelSelection ||
                         std::fabs(profile.p1) > kFullModelSelection ||
                         std::fabs(profile.p2) > kFullModelSelection;
}

bool CameraModel::SetPose(const CameraPose& pose) {
    if (pose.tx == 0.0f && pose.ty == 0.0f && pose.tz == 0.0f && pose.rx == 0.0f &&
        pose.ry == 0.0f && pose.rz == 0.0f)
        return false;
    pose_ = pose;
    cv::Matx33f rotation;
    cv::Rodrigues(cv::Matx31f(pose.rx, pose.ry, pose.rz), rotation);
    const float translation[3] = {pose.tx, pose.ty, pose.tz};
    extrinsic_ = cv::Matx44f::eye();
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) extrinsic_(r, c) = rotation(r, c);
        extrinsic_(r, 3) = translation[r];
        plane_(r, 0) = rotation(r, 0);
        plane_(r, 1) = rotation(r, 1);
        plane_(r, 2) = translation[r];
    }
    cv::invert(extrinsic_, extrinsicInverse_, cv::DECOMP_LU);
    planeDeterminant_ = static_cast<float>(Determinant(plane_));
    if (planeDeterminant_ == 0.0f) return false;
    rayPlane_ = plane_;
    rayPlane_(2, 2) = 1.0f;
    return true;
}

cv::Point2f CameraModel::ProjectBoardPoint(float x, float y) const {
    const cv::Matx44f& e = extrinsic_;
    const double depth = static_cast<double>(e(2, 0)) * x + static_cast<double>(e(2, 1)) * y + e(2, 3);
    const double xn = (static_cast<double>(e(0, 0)) * x + static_cast<double>(e(0, 1)) * y + e(0, 3)) / depth;
    const double yn = (static_cast<double>(e(1, 0)) * x + static_cast<double>(e(1, 1)) * y + e(1, 3)) / depth;
    const cv::Point2f distorted = Distort(cv::Point2f(static_cast<float>(xn), static_cast<float>(yn)));
    return {static_cast<float>(static_cast<double>(profile_.fx) * distorted.x + profile_.cx),
            static_cast<float>(static_cast<double>(profile_.fy) * distorted.y + profile_.cy)};
}

cv::Point2f CameraModel::SensorToBoard(float u, float v) const {
    const double xd = (static_cast<double>(u) - profile_.cx) / profile_.fx;
    const double yd = (static_cast<double>(v) - profile_.cy) / profile_.fy;
    const cv::Point2f ray = Undistort(cv::Point2f(static_cast<float>(xd), static_cast<float>(yd)));
    cv::Matx33f system = rayPlane_;
    system(0, 2) = ray.x;
    system(1, 2) = ray.y;
    const double d = Determinant(system);
    if (d == 0.0) return ray;
    const double s = planeDeterminant_ / d;
    const double p[3] = {s * ray.x, s * ray.y, s};
    const cv::Matx44f& inverse = extrinsicInverse_;
    double result[2];
    for (int r = 0; r < 2; ++r)
        result[r] = inverse(r, 0) * p[0] + inverse(r, 1) * p[1] + inverse(r, 2) * p[2] + inverse(r, 3);
    return {static_cast<float>(result[0]), static_cast<float>(result[1])};
}
