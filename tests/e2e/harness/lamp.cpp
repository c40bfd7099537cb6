#include "harness/lamp.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <opencv2/imgproc.hpp>

#include "harness/camera_prediction.h"

namespace {

constexpr double kPi = 3.14159265358979;

// Where the sensor sees desktop points (sensor pixels, frame-buffer rows).
std::vector<cv::Point2d> SensorPixelsOf(const SensorSettings& settings,
                                        const std::vector<cv::Point2d>& desktopPoints) {
    std::vector<cv::Point3d> plane;
    for (const cv::Point2d& p : desktopPoints) plane.emplace_back(p.x, p.y, 0.0);
    return PredictSensorPixels(settings, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN), 320, plane);
}

// Area (sensor pixels) of the quadrilateral the program measures hot spots against: the screen
// grown by 20 sensor pixels' worth of desktop on the sides and 30 desktop pixels top and bottom.
double MeasuredScreenArea(TrackingSession& session) {
    const double w = session.Width(), h = session.Height();
    const double marginX = session.Width() / 320 * 20, marginY = 30;
    const std::vector<cv::Point2d> corners = SensorPixelsOf(
        session.Sensor().Settings(),
        {{-marginX, -marginY}, {w + marginX, -marginY}, {w + marginX, h + marginY}, {-marginX, h + marginY}});
    return cv::contourArea(std::vector<cv::Point2f>(corners.begin(), corners.end()));
}

}  // namespace

void PlaceLampCovering(TrackingSession& session, double share, double desktopX, double desktopY, Report& report) {
    const double area = MeasuredScreenArea(session);
    const double radius = std::max(1.0, std::sqrt(share * area / kPi) - 2.0);
    const cv::Point2d at = SensorPixelsOf(session.Sensor().Settings(), {{desktopX, desktopY}})[0];
    session.Sensor().Set("lamp", std::to_string(at.x) + " " + std::to_string(at.y) + " on " + std::to_string(radius));
    report.Figure("lamp_radius_px", radius, 1);
    report.Figure("lamp_share_pct", 100.0 * kPi * (radius + 2.0) * (radius + 2.0) / area, 1);
}
