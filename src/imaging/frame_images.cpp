#include "imaging/frame_images.h"

#include <cstdlib>

#include "imaging/plane_operations.h"

namespace {

constexpr int kLargestSide = 4096;

int PaddedStride(int width, int channels) { return (width * channels + 3) & ~3; }

}  // namespace

cv::Mat CreatePaddedImage(int width, int height, int type) {
    if (width <= 0 || height <= 0 || CV_MAT_DEPTH(type) != CV_8U) return {};
    const int channels = CV_MAT_CN(type);
    cv::Mat storage(height, PaddedStride(width, channels), CV_8UC1);
    // A view of the first `width` pixels of each row keeps the padded row step.
    return storage.colRange(0, width * channels).reshape(channels);
}

FrameImages::FrameImages() { Allocate(1, 1); }

bool FrameImages::SetFormat(const BITMAPINFOHEADER& format) {
    bitmapInfo_ = format;
    const int width = std::abs(format.biWidth);
    const int height = std::abs(format.biHeight);
    const bool usable = format.biBitCount == 24 && width > 0 && height > 0 &&
                        width <= kLargestSide && height <= kLargestSide;
    if (usable) {
        Allocate(width, height);
    } else {
        Allocate(0, 0);
    }
    detectionArea = fullRect_;
    return usable;
}

void FrameImages::Allocate(int width, int height) {
    const bool valid = width > 0 && height > 0;
    width_ = valid ? width : 0;
    height_ = valid ? height : 0;
    fullRect_ = {0, 0, width_, height_};
    frameStride_ = PaddedStride(width_, 3);
    frame.release();
    for (cv::Mat* plane :
         {&channelPlane, &workPlane, &thresholdImage, &maskPlane, &backgroundPlane})
        *plane = CreatePaddedImage(width_, height_, CV_8UC1);
    FillPlane(backgroundPlane, 0);
    ReleaseSnapshots();
}

void FrameImages::Bind(const BYTE* buffer) {
    if (buffer == nullptr || width_ == 0) {
        frame.release();
        return;
    }
    // The sensor's buffer is only read through this header; the cast is for cv::Mat's sake.
    frame = cv::Mat(height_, width_, CV_8UC3, const_cast<BYTE*>(buffer), frameStride_);
}

void FrameImages::TakeSnapshots() {
    ReleaseSnapshots();
    if (width_ == 0) return;
    FillPlane(channelPlane, 255);
    for (int i = 0; i < 2; ++i) {
        snapshots[i] = CreatePaddedImage(width_, height_, CV_8UC1);
        FillPlane(snapshots[i], 0);
    }
    for (int i = 2; i < 5; ++i) {
        snapshots[i] = CreatePaddedImage(width_, height_, CV_8UC3);
        if (frame.empty()) {
            FillPlane(snapshots[i], 0);
        } else {
            frame.copyTo(snapshots[i]);
        }
    }
}

void FrameImages::ReleaseSnapshots() {
    for (cv::Mat& snapshot : snapshots) snapshot.release();
}

bool FrameImages::Draw(const cv::Mat& image, HDC dc, const RECT& destination) const {
    if (width_ == 0 || image.type() != CV_8UC3 || image.cols != width_ ||
        image.rows != height_ || static_cast<int>(image.step[0]) != frameStride_)
        return false;
    BITMAPINFO info{};
    info.bmiHeader = bitmapInfo_;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = 0;
    return StretchDIBits(dc, destination.left, destination.top,
                         destination.right - destination.left,
                         destination.bottom - destination.top, 0, 0, width_, height_, image.data,
                         &info, DIB_RGB_COLORS, SRCCOPY) != 0;
}
