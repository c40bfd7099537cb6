#include "tracking/threshold_building.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>

#include "imaging/plane_operations.h"

void DilateBrightness(cv::Mat& brightness) {
    if (brightness.empty()) return;
    cv::dilate(brightness, brightness, cv::Mat(), cv::Point(-1, -1), 2);
}

void ApplyScreenMask(FrameImages& images, const CoverageRing& ring) {
    FillPlane(images.thresholdImage, 255);
    FillPlane(images.maskPlane, 255);
    std::array<cv::Point, 16> polygon;
    std::transform(ring.begin(), ring.end(), polygon.begin(),
                   [](POINT p) { return cv::Point(p.x, p.y); });
    const cv::Point* points = polygon.data();
    const int count = static_cast<int>(polygon.size());
    for (cv::Mat* plane : {&images.thresholdImage, &images.maskPlane}) {
        if (plane->empty()) continue;
        cv::fillPoly(*plane, &points, &count, 1, cv::Scalar(0), cv::LINE_8, 0);
    }
}

int FrameImages::BuildThreshold(const cv::Mat& brightness, int gap, int limit) {
    if (brightness.type() != CV_8UC1 || brightness.cols < width_ || brightness.rows < height_)
        return 0;
    const PixelRect& area = detectionArea;
    int hot = 0;
    for (int y = 0; y < height_; ++y) {
        const uchar* value = brightness.ptr<uchar>(y);
        uchar* threshold = thresholdImage.ptr<uchar>(y);
        uchar* recorded = maskPlane.ptr<uchar>(y);
        const bool rowInside = y >= area.y && y < area.Bottom();
        for (int x = 0; x < width_; ++x) {
            if (threshold[x] == 255) continue;
            if (!rowInside || x < area.x || x >= area.Right()) {
                threshold[x] = 255;
                recorded[x] = 255;
                continue;
            }
            recorded[x] = value[x];
            const int level = std::max(value[x] + gap, 0);
            if (level >= limit) {
                threshold[x] = 255;
                ++hot;
            } else {
                threshold[x] = static_cast<uchar>(std::min(level, 255));
            }
        }
    }
    return hot < kMinimumHotPixels ? 0 : hot;
}
