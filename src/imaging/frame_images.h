#pragma once
// The working images every sensor frame is looked at through: a 3-channel header laid over the
// sensor's current buffer (never copied) and five 1-channel work planes of the frame's size,
// plus the copies an alignment takes when it starts. Rows of every image are padded to 4 bytes,
// like the sensor's own DIB rows.
#include <windows.h>

#include <opencv2/core/mat.hpp>

#include <array>

#include "imaging/pixel_rect.h"

class FrameImages {
public:
    FrameImages();

    // Takes the connected sensor format. Sizes are |biWidth| x |biHeight|; a format that is not
    // 24-bit or whose size is 0 or above 4096 leaves every image empty and returns false.
    bool SetFormat(const BITMAPINFOHEADER& format);
    // Resizes every image (work planes keep no content); releases the snapshots.
    void Allocate(int width, int height);
    // Points the frame header at a sensor buffer of the current format; nullptr unbinds it.
    void Bind(const BYTE* buffer);

    // Snapshot 0 and 1: 1-channel planes, all 0 (ChannelPlane is left all 255); snapshots 2..4:
    // copies of the bound frame (black when no frame is bound).
    void TakeSnapshots();
    void ReleaseSnapshots();

    // StretchDIBits of a frame-sized 3-channel image into `destination`; false when the image
    // does not have the frame's format.
    bool Draw(const cv::Mat& image, HDC dc, const RECT& destination) const;

    // Turns the recorded screen brightness into thresholdImage (a pen must be brighter) and
    // keeps the brightness in maskPlane; both must hold the screen mask (255 outside the
    // screen). A threshold of `limit` or more becomes 255 and its pixel is hot. Returns the
    // number of hot pixels, 0 when there are fewer than kMinimumHotPixels.
    static constexpr int kMinimumHotPixels = 4;
    int BuildThreshold(const cv::Mat& brightness, int gap, int limit);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const PixelRect& FullRect() const { return fullRect_; }
    const BITMAPINFOHEADER& BitmapInfo() const { return bitmapInfo_; }
    // Bytes per row of the sensor buffer and of every image (3 x width rounded up to 4).
    int FrameStride() const { return frameStride_; }

    cv::Mat frame;           // over the current sensor buffer; empty while none is bound
    cv::Mat channelPlane;    // one colour channel of the frame; consumed by spot finding
    cv::Mat workPlane;       // scratch plane of the same size
    cv::Mat thresholdImage;  // a ChannelPlane pixel is lit where strictly greater than this
    cv::Mat maskPlane;       // work mask of gain finding
    // The screen's own brightness in the tracked channel, what each pixel shows without the
    // pen: as gain finding recorded it (before spreading), then as the last tracking frame
    // with nothing lit showed it. All 0 until gain finding.
    cv::Mat backgroundPlane;
    std::array<cv::Mat, 5> snapshots;
    PixelRect screenRect;     // part of the frame that shows the projected screen
    PixelRect detectionArea;  // where spots are searched; the full rectangle after a format change

private:
    int width_ = 0;
    int height_ = 0;
    int frameStride_ = 0;
    PixelRect fullRect_;
    BITMAPINFOHEADER bitmapInfo_{};
};

// An image of the given size and type whose rows are padded to a multiple of 4 bytes.
cv::Mat CreatePaddedImage(int width, int height, int type);
