#include "board_renderer.h"

#include <opencv2/calib3d.hpp>

#include <algorithm>
#include <cmath>

#include "scene/lens_camera.h"

namespace {

constexpr int kSamplesPerSide = 9;

// The virtual sensor's camera: a pinhole with the same distortion, independent of CameraModel.
LensCamera CameraOf(const DetectorProfile& p, const CameraPose& pose) {
    const LensParameters lens{p.fx, p.fy, p.cx, p.cy, p.k1, p.k2, p.p1, p.p2};
    SensorPose sensorPose;
    const double rotation[3] = {pose.rx, pose.ry, pose.rz};
    RotationFromVector(rotation, sensorPose.r);
    sensorPose.t[0] = pose.tx, sensorPose.t[1] = pose.ty, sensorPose.t[2] = pose.tz;
    return LensCamera(lens, sensorPose);
}

uchar DesktopValue(const BoardScene& scene, double x, double y) {
    if (x < 0 || y < 0 || x >= scene.desktopWidth || y >= scene.desktopHeight)
        return scene.offScreen;
    if (scene.cover.contains(cv::Point2f(static_cast<float>(x), static_cast<float>(y))))
        return scene.light;
    const cv::Point2f origin = scene.Origin();
    const int i = static_cast<int>(std::floor((x - origin.x) / scene.square));
    const int j = static_cast<int>(std::floor((y - origin.y) / scene.square));
    if (i < 0 || j < 0 || i > scene.columns || j > scene.rows) return scene.light;
    if (scene.singleCorner >= 0) {
        const int c = scene.singleCorner % scene.columns;
        const int r = scene.singleCorner / scene.columns;
        const bool dark = (i == c && j == r) || (i == c + 1 && j == r + 1);
        return dark ? scene.dark : scene.light;
    }
    return (i + j) % 2 == 0 ? scene.dark : scene.light;
}

}  // namespace

cv::Point2f BoardScene::Origin() const {
    return {(desktopWidth - (columns + 1) * square) / 2.0f,
            (desktopHeight - (rows + 1) * square) / 2.0f};
}

cv::Point2f BoardScene::Corner(int index) const {
    const cv::Point2f origin = Origin();
    return {origin.x + (index % columns + 1) * square, origin.y + (index / columns + 1) * square};
}

DetectorProfile SampleLens(bool fullDistortion) {
    if (fullDistortion) return {280.0f, 282.0f, 163.0f, 117.0f, -0.25f, 0.08f, 0.0015f, -0.001f};
    return {280.0f, 282.0f, 163.0f, 117.0f, -0.2f};
}

CameraPose ViewOfDesktop(const DetectorProfile& profile, const BoardScene& scene) {
    const cv::Vec3d rotation(0.10, -0.12, 0.03);
    // Far enough for the desktop to fill about 300 x 220 sensor pixels.
    const double distance = profile.fx * std::max(scene.desktopWidth / 300.0, scene.desktopHeight / 220.0);
    cv::Matx33d r;
    cv::Rodrigues(rotation, r);
    const cv::Vec3d centre(scene.desktopWidth / 2.0, scene.desktopHeight / 2.0, 0.0);
    const cv::Vec3d t = cv::Vec3d(0.0, 0.0, distance) - r * centre;
    return {static_cast<float>(t[0]), static_cast<float>(t[1]), static_cast<float>(t[2]),
            static_cast<float>(rotation[0]), static_cast<float>(rotation[1]), static_cast<float>(rotation[2])};
}

cv::Mat RenderBoard(const DetectorProfile& profile, const CameraPose& pose,
                    const BoardScene& scene, int width, int height) {
    // Where the pixel corners see the desktop (NaN off the plane); points inside a pixel are
    // interpolated, the lens and the perspective bend too gently across one to notice.
    const LensCamera camera = CameraOf(profile, pose);
    cv::Mat_<cv::Point2d> seen(height + 1, width + 1);
    for (int v = 0; v <= height; ++v)
        for (int u = 0; u <= width; ++u)
            if (!camera.SensorToDesktop(u - 0.5, v - 0.5, &seen(v, u).x, &seen(v, u).y))
                seen(v, u) = {NAN, NAN};
    const int n = kSamplesPerSide;
    cv::Mat plane(height, width, CV_8UC1);
    for (int v = 0; v < height; ++v) {
        for (int u = 0; u < width; ++u) {
            int sum = 0;
            for (int k = 0; k < n * n; ++k) {
                const double fx = (k % n + 0.5) / n, fy = (k / n + 0.5) / n;
                const cv::Point2d p = (1 - fy) * ((1 - fx) * seen(v, u) + fx * seen(v, u + 1)) +
                                      fy * ((1 - fx) * seen(v + 1, u) + fx * seen(v + 1, u + 1));
                sum += std::isnan(p.x) ? scene.offScreen : DesktopValue(scene, p.x, p.y);
            }
            plane.at<uchar>(v, u) = static_cast<uchar>((sum + n * n / 2) / (n * n));
        }
    }
    return plane;
}

std::vector<cv::Point2f> ProjectDesktopPoints(const DetectorProfile& profile,
                                              const CameraPose& pose,
                                              const std::vector<cv::Point2f>& points) {
    const LensCamera camera = CameraOf(profile, pose);
    std::vector<cv::Point2f> image;
    for (const cv::Point2f& p : points) {
        double u = NAN, v = NAN;
        camera.Project(p.x, p.y, &u, &v);
        image.emplace_back(static_cast<float>(u), static_cast<float>(v));
    }
    return image;
}

std::vector<cv::Point2f> TrueCorners(const DetectorProfile& profile, const CameraPose& pose,
                                     const BoardScene& scene) {
    std::vector<cv::Point2f> desktop;
    for (int i = 0; i < scene.columns * scene.rows; ++i) desktop.push_back(scene.Corner(i));
    return ProjectDesktopPoints(profile, pose, desktop);
}
