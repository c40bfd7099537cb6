#include "imaging/frame_operations.h"

#include <cstdint>

namespace {

bool IsFrame(const cv::Mat& image) { return image.type() == CV_8UC3 && !image.empty(); }
bool IsPlane(const cv::Mat& image) { return image.type() == CV_8UC1 && !image.empty(); }
bool IsChannel(int channel) { return channel >= 0 && channel <= 2; }

// The rectangle clipped to both images; empty when either is unusable.
PixelRect FrameAndPlaneArea(const cv::Mat& frame, const cv::Mat& plane, int channel,
                            const PixelRect& rect) {
    if (!IsFrame(frame) || !IsPlane(plane) || !IsChannel(channel)) return {};
    return ClipToImage(ClipToImage(rect, frame.cols, frame.rows), plane.cols, plane.rows);
}

const uchar* ChannelRow(const cv::Mat& frame, int channel, int x, int y) {
    return frame.ptr<uchar>(y) + 3 * x + channel;
}

}  // namespace

void ExtractChannel(const cv::Mat& frame, cv::Mat& plane, int channel, const PixelRect& rect) {
    const PixelRect area = FrameAndPlaneArea(frame, plane, channel, rect);
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* source = ChannelRow(frame, channel, area.x, y);
        uchar* target = plane.ptr<uchar>(y) + area.x;
        for (int i = 0; i < area.width; ++i) target[i] = source[3 * i];
    }
}

void MaxChannel(const cv::Mat& frame, cv::Mat& plane, int channel, const PixelRect& rect) {
    const PixelRect area = FrameAndPlaneArea(frame, plane, channel, rect);
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* source = ChannelRow(frame, channel, area.x, y);
        uchar* target = plane.ptr<uchar>(y) + area.x;
        for (int i = 0; i < area.width; ++i)
            if (source[3 * i] > target[i]) target[i] = source[3 * i];
    }
}

void MaxChannel(const cv::Mat& frame, cv::Mat& plane, int channel) {
    MaxChannel(frame, plane, channel, PixelRect{0, 0, frame.cols, frame.rows});
}

void SubtractChannel(const cv::Mat& frame, const cv::Mat& base, cv::Mat& difference,
                     const PixelRect& rect, int channel) {
    if (!IsPlane(base)) return;
    const PixelRect area =
        ClipToImage(FrameAndPlaneArea(frame, difference, channel, rect), base.cols, base.rows);
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* source = ChannelRow(frame, channel, area.x, y);
        const uchar* subtrahend = base.ptr<uchar>(y) + area.x;
        uchar* target = difference.ptr<uchar>(y) + area.x;
        for (int i = 0; i < area.width; ++i) {
            const int d = source[3 * i] - subtrahend[i];
            target[i] = static_cast<uchar>(d > 0 ? d : 0);
        }
    }
}

LitCount CountLit(const cv::Mat& frame, int threshold, const PixelRect& rect, int channel) {
    if (!IsFrame(frame) || !IsChannel(channel)) return {};
    const PixelRect area = ClipToImage(rect, frame.cols, frame.rows);
    int lit = 0;
    int dark = 0;
    std::int64_t darkSum = 0;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* source = ChannelRow(frame, channel, area.x, y);
        for (int i = 0; i < area.width; ++i) {
            const int v = source[3 * i];
            if (v >= threshold) {
                ++lit;
            } else {
                ++dark;
                darkSum += v;
            }
        }
    }
    return {lit, dark > 0 ? static_cast<int>(darkSum / dark) : 0};
}

LitCount CountLit(const cv::Mat& frame, int threshold, int channel) {
    return CountLit(frame, threshold, PixelRect{0, 0, frame.cols, frame.rows}, channel);
}

int CrossSum(const cv::Mat& frame, int channel, int x, int y) {
    if (!IsFrame(frame) || !IsChannel(channel)) return 0;
    static const int kOffsets[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, 1}, {0, -1}};
    int sum = 0;
    for (const auto& offset : kOffsets) {
        const int px = x + offset[0];
        const int py = y + offset[1];
        if (px >= 0 && px < frame.cols && py >= 0 && py < frame.rows)
            sum += *ChannelRow(frame, channel, px, py);
    }
    return sum;
}
