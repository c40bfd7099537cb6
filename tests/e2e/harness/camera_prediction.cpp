#include "camera_prediction.h"

#include <opencv2/calib3d.hpp>

#include "scene/lens_camera.h"

std::vector<cv::Point2d> PredictSensorPixels(const SensorSettings& settings, int desktopWidth, int desktopHeight,
                                             int sensorWidth, const std::vector<cv::Point3d>& desktopPoints) {
    const SensorPose pose = PoseForView(settings.view, settings.lens, desktopWidth, desktopHeight);
    const LensParameters lens = ScaledLens(settings.lens, sensorWidth / 320.0);
    const cv::Matx33d rotation(pose.r);
    cv::Vec3d rvec;
    cv::Rodrigues(rotation, rvec);
    const cv::Vec3d tvec(pose.t[0], pose.t[1], pose.t[2]);
    const cv::Matx33d intrinsics(lens.fx, 0, lens.cx, 0, lens.fy, lens.cy, 0, 0, 1);
    const cv::Vec4d distortion(lens.k1, lens.k2, lens.p1, lens.p2);
    std::vector<cv::Point2d> pixels;
    cv::projectPoints(desktopPoints, rvec, tvec, intrinsics, distortion, pixels);
    return pixels;
}
