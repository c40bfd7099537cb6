#include "tracking/hot_spots.h"

#include <algorithm>
#include <cmath>

#include "imaging/frame_images.h"

namespace {

double Length(POINT a, POINT b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

float QuadArea(POINT p0, POINT p1, POINT p2, POINT p3) {
    const double a = Length(p0, p1), b = Length(p1, p2), c = Length(p2, p3), d = Length(p3, p0);
    const double p = Length(p1, p3), q = Length(p0, p2);
    const double skew = d * d + b * b - a * a - c * c;
    return static_cast<float>(0.25 * std::sqrt(4.0 * p * p * q * q - skew * skew));
}

HotSpotRecord CollectHotSpots(const cv::Mat& threshold, const PixelRect& area,
                              const SensorToDesktopFunction& toDesktop, int screenWidth,
                              int screenHeight) {
    HotSpotRecord record;
    if (threshold.type() != CV_8UC1 || !toDesktop) return record;
    const PixelRect inside = ClipToImage(area, threshold.cols, threshold.rows);
    int left = inside.Right(), top = inside.Bottom(), right = -1, bottom = -1;
    for (int y = inside.y; y < inside.Bottom(); ++y) {
        const uchar* row = threshold.ptr<uchar>(y);
        for (int x = inside.x; x < inside.Right(); ++x) {
            if (row[x] != 255) continue;
            const cv::Point2f desktop = toDesktop(static_cast<float>(x), static_cast<float>(y));
            if (!(desktop.x >= 0.0f && desktop.x < screenWidth && desktop.y >= 0.0f &&
                  desktop.y < screenHeight))
                continue;
            ++record.count;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    record.box = {left, top, right - left + 1, bottom - top + 1};
    if (record.count < FrameImages::kMinimumHotPixels || record.box.width <= 1 ||
        record.box.height <= 1)
        return HotSpotRecord();
    return record;
}
