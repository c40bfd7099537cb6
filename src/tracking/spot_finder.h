#pragma once
// Finds the lit regions of a frame: pixels of ChannelPlane brighter than ThresholdImage, grown
// into regions, merged when close, and narrowed to one by closeness to the previous spot.
// The blob list and the fill keep their storage from frame to frame.
#include <opencv2/core/mat.hpp>

#include <vector>

#include "imaging/pixel_rect.h"
#include "imaging/region_fill.h"
#include "tracking/spot_record.h"

class SpotFinder {
public:
    static constexpr int kMinimumPixels = 30;

    SpotFinder();

    // Bounds of the region fill: the frame size, set whenever the format changes.
    void SetSize(int width, int height);

    // Seeds are pixels of the rectangle (its last row and column excluded) where the plane is
    // strictly above the threshold image; each region takes the 4-connected pixels at least as
    // bright as its seed's threshold, anywhere in the frame, and is cleared from the plane.
    // Regions of at least kMinimumPixels pixels become blobs, in seed order. Returns their number.
    int Find(cv::Mat& plane, const PixelRect& rect, const cv::Mat& threshold);

    // Joins blobs whose rectangles, grown by `margin`, overlap; one pass, in list order.
    // Returns the number of blobs left. Nothing changes for a margin below 1.
    int Merge(int margin);

    // Reduces two or more blobs to the one that continues the previous frame's spot.
    void Associate(const SpotRecord& previous);

    std::vector<Blob>& Blobs() { return blobs_; }
    const std::vector<Blob>& Blobs() const { return blobs_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Blob> blobs_;
    std::vector<Blob> work_;
    RegionFill fill_;
};
