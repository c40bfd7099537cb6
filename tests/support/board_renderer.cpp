#include "board_renderer.h"

#include <opencv2/calib3d.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kSamplesPerSide = 9;

cv::Matx33d CameraMatrix(const DetectorProfile& p) {
    return cv::Matx33d(p.fx, 0, p.cx, 0, p.fy, p.cy, 0, 0, 1);
}

cv::Vec4d Distortion(const DetectorProfile& p) { return cv::Vec4d(p.k1, p.k2, p.p1, p.p2); }

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

// Viewing rays (normalized, undistorted) through the pixel corners, (width + 1) x (height + 1)
// row by row; rays inside a pixel are interpolated, the lens bends too gently to notice. They
// depend only on the lens, so the last lens's rays are kept for the next picture.
const std::vector<cv::Point2f>& CornerRays(const DetectorProfile& profile, int width, int height) {
    static DetectorProfile lens;
    static cv::Size size;
    static std::vector<cv::Point2f> rays;
    if (!rays.empty() && size == cv::Size(width, height) &&
        std::memcmp(&lens, &profile, sizeof lens) == 0)
        return rays;
    std::vector<cv::Point2f> corners;
    for (int v = 0; v <= height; ++v)
        for (int u = 0; u <= width; ++u) corners.emplace_back(u - 0.5f, v - 0.5f);
    cv::undistortPoints(corners, rays, CameraMatrix(profile), Distortion(profile), cv::noArray(),
                        cv::noArray(),
                        cv::TermCriteria(cv::TermCriteria::COUNT | cv::TermCriteria::EPS, 50, 1e-10));
    lens = profile;
    size = cv::Size(width, height);
    return rays;
}

}  // namespace

BoardScene BoardScene::Portrait() { return {768, 1024, 5, 7}; }

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
    const double distance =
        profile.fx * std::max(scene.desktopWidth / 300.0, scene.desktopHeight / 220.0);
    cv::Matx33d r;
    cv::Rodrigues(rotation, r);
    const cv::Vec3d centre(scene.desktopWidth / 2.0, scene.desktopHeight / 2.0, 0.0);
    const cv::Vec3d t = cv::Vec3d(0.0, 0.0, distance) - r * centre;
    return {static_cast<float>(t[0]), static_cast<float>(t[1]), static_cast<float>(t[2]),
            static_cast<float>(rotation[0]), static_cast<float>(rotation[1]),
            static_cast<float>(rotation[2])};
}

cv::Mat RenderBoard(const DetectorProfile& profile, const CameraPose& pose,
                    const BoardScene& scene, int width, int height) {
    const int n = kSamplesPerSide;
    const std::vector<cv::Point2f>& rays = CornerRays(profile, width, height);
    cv::Matx33d r;
    cv::Rodrigues(cv::Vec3d(pose.rx, pose.ry, pose.rz), r);
    const cv::Vec3d t(pose.tx, pose.ty, pose.tz);
    const cv::Vec3d normal(r(0, 2), r(1, 2), r(2, 2));  // of the desktop plane, camera side
    const double planeDistance = normal.dot(t);
    cv::Mat plane(height, width, CV_8UC1);
    for (int v = 0; v < height; ++v) {
        for (int u = 0; u < width; ++u) {
            const cv::Point2f& a = rays[v * (width + 1) + u];
            const cv::Point2f& b = rays[v * (width + 1) + u + 1];
            const cv::Point2f& c = rays[(v + 1) * (width + 1) + u];
            const cv::Point2f& d = rays[(v + 1) * (width + 1) + u + 1];
            int sum = 0;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    const float fx = (i + 0.5f) / n;
                    const float fy = (j + 0.5f) / n;
                    const cv::Point2f ray = (1 - fy) * ((1 - fx) * a + fx * b) + fy * ((1 - fx) * c + fx * d);
                    // Where the ray meets the desktop plane, in desktop coordinates.
                    const cv::Vec3d direction(ray.x, ray.y, 1.0);
                    const double depth = planeDistance / normal.dot(direction);
                    const cv::Vec3d onPlane = r.t() * (depth * direction - t);
                    sum += depth > 0 ? DesktopValue(scene, onPlane[0], onPlane[1]) : scene.offScreen;
                }
            }
            plane.at<uchar>(v, u) = static_cast<uchar>((sum + n * n / 2) / (n * n));
        }
    }
    return plane;
}

std::vector<cv::Point2f> ProjectDesktopPoints(const DetectorProfile& profile,
                                              const CameraPose& pose,
                                              const std::vector<cv::Point2f>& points) {
    std::vector<cv::Point3d> objects;
    for (const cv::Point2f& p : points) objects.emplace_back(p.x, p.y, 0.0);
    std::vector<cv::Point2d> image;
    cv::projectPoints(objects, cv::Vec3d(pose.rx, pose.ry, pose.rz),
                      cv::Vec3d(pose.tx, pose.ty, pose.tz), CameraMatrix(profile),
                      Distortion(profile), image);
    return std::vector<cv::Point2f>(image.begin(), image.end());
}

std::vector<cv::Point2f> TrueCorners(const DetectorProfile& profile, const CameraPose& pose,
                                     const BoardScene& scene) {
    std::vector<cv::Point2f> desktop;
    for (int i = 0; i < scene.columns * scene.rows; ++i) desktop.push_back(scene.Corner(i));
    return ProjectDesktopPoints(profile, pose, desktop);
}
