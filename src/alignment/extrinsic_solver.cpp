#include "alignment/extrinsic_solver.h"

#include <opencv2/calib3d.hpp>

namespace {

constexpr int kLeastPairs = 4;
constexpr float kDepthNudge = 1e-5f;

}  // namespace

bool FindExtrinsic(CameraModel& model, const PosePoints& points) {
    const int n = points.count;
    if (n < kLeastPairs || n > PosePoints::kCapacity) return false;
    const DetectorProfile& profile = model.Profile();
    const cv::Matx33f camera(profile.fx, 0.0f, profile.cx, 0.0f, profile.fy, profile.cy, 0.0f,
                             0.0f, 1.0f);
    const cv::Matx14f distortion(profile.k1, profile.k2, profile.p1, profile.p2);
    const cv::Mat objects(1, n, CV_32FC3, const_cast<cv::Point3f*>(points.objectPoints));
    const cv::Mat images(1, n, CV_32FC2, const_cast<cv::Point2f*>(points.imagePoints));
    cv::Vec3d rotation;
    cv::Vec3d translation;
    try {
        if (!cv::solvePnP(objects, images, camera, distortion, rotation, translation, false,
                          cv::SOLVEPNP_ITERATIVE))
            return false;
    } catch (const cv::Exception&) {
        return false;
    }
    CameraPose pose{static_cast<float>(translation[0]), static_cast<float>(translation[1]),
                    static_cast<float>(translation[2]), static_cast<float>(rotation[0]),
                    static_cast<float>(rotation[1]), static_cast<float>(rotation[2])};
    if (model.SetPose(pose)) return true;
    pose.tz += kDepthNudge;
    return model.SetPose(pose);
}
