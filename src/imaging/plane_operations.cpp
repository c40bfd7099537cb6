#include "imaging/plane_operations.h"

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

bool IsPlane(const cv::Mat& image) { return image.type() == CV_8UC1 && !image.empty(); }

}  // namespace

void SubtractPlanes(const cv::Mat& a, const cv::Mat& b, cv::Mat& difference, int threshold) {
    if (!IsPlane(a) || !IsPlane(b) || !IsPlane(difference)) return;
    const PixelRect area = ClipToImage(
        ClipToImage(PixelRect{0, 0, difference.cols, difference.rows}, a.cols, a.rows), b.cols,
        b.rows);
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* minuend = a.ptr<uchar>(y);
        const uchar* subtrahend = b.ptr<uchar>(y);
        uchar* target = difference.ptr<uchar>(y);
        for (int x = 0; x < area.width; ++x) {
            const int d = minuend[x] - subtrahend[x];
            target[x] = threshold > 0 && d < threshold ? 0 : static_cast<uchar>(d & 0xFF);
        }
    }
}

double PlaneMean(const cv::Mat& plane, const PixelRect& rect) {
    if (!IsPlane(plane)) return 0.0;
    const PixelRect area = ClipToImage(rect, plane.cols, plane.rows);
    if (area.IsEmpty()) return 0.0;
    std::int64_t sum = 0;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* row = plane.ptr<uchar>(y) + area.x;
        for (int x = 0; x < area.width; ++x) sum += row[x];
    }
    return static_cast<double>(sum) / (static_cast<double>(area.width) * area.height);
}

void FillPlane(cv::Mat& image, uchar value) {
    if (image.empty() || image.depth() != CV_8U) return;
    for (int y = 0; y < image.rows; ++y) {
        uchar* row = image.ptr<uchar>(y);
        // The last row's padding exists only when the storage reaches that far.
        const std::size_t room = static_cast<std::size_t>(image.datalimit - row);
        std::memset(row, value, std::min<std::size_t>(image.step[0], room));
    }
}

void MarkRect(cv::Mat& image, const PixelRect& rect, const cv::Scalar& colour, int thickness,
              bool cross) {
    if (image.empty() || image.depth() != CV_8U || rect.IsEmpty()) return;
    cv::rectangle(image, cv::Point(rect.x, rect.y),
                  cv::Point(rect.x + rect.width - 1, rect.y + rect.height - 1), colour, thickness,
                  cv::LINE_8);
    if (!cross) return;
    const int cx = cvRound(rect.x + rect.width / 2.0);
    const int cy = cvRound(rect.y + rect.height / 2.0);
    cv::line(image, cv::Point(cx - 2, cy), cv::Point(cx + 2, cy), colour, 1, cv::LINE_8);
    cv::line(image, cv::Point(cx, cy - 2), cv::Point(cx, cy + 2), colour, 1, cv::LINE_8);
}

float LevelBetweenPixels(const cv::Mat& plane, float x, float y) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0;
    const float fy = y - y0;
    const uchar* row0 = plane.ptr<uchar>(y0);
    const uchar* row1 = plane.ptr<uchar>(y0 + 1);
    return (1.0f - fy) * ((1.0f - fx) * row0[x0] + fx * row0[x0 + 1]) +
           fy * ((1.0f - fx) * row1[x0] + fx * row1[x0 + 1]);
}
