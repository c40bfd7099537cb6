#include "tracking/spot_detection.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kMostBlobs = 3;
constexpr int kSpotMargin = 2;
constexpr int kNoiseChannel = 2;  // red

}  // namespace

bool DetectSpot(SpotFinder& finder, const SpotView& view, const SpotParameters& parameters,
                const SpotRecord& previous, SpotRecord& current, BlockingCounter& blocking) {
    std::vector<Blob>& blobs = finder.Blobs();
    if (blobs.empty()) return false;
    if (finder.Merge(parameters.dilateCount) > kMostBlobs) return false;
    for (Blob& blob : blobs) {
        current.spot = blob.Rect();
        const BandResult band = BandTest(view, current.spot, parameters.spotMaxBand);
        current.horizontalSpan = band.horizontalSpan;
        current.verticalSpan = band.verticalSpan;
        const bool edgeLit = band.pass && EdgeLitTest(view, current.spot, parameters.noiseRatio,
                                                      parameters.noiseThres);
        blob.keep = band.pass && !edgeLit ? 1 : 0;
    }
    blobs.erase(std::remove_if(blobs.begin(), blobs.end(),
                               [](const Blob& blob) { return blob.keep == 0; }),
                blobs.end());
    if (blobs.size() >= 2) finder.Associate(previous);
    if (blobs.empty()) {
        blocking.ReportBlocking(+1);
        return false;
    }
    const Blob& chosen = blobs.front();
    const PixelRect grown{chosen.x - kSpotMargin, chosen.y - kSpotMargin,
                          chosen.width + 2 * kSpotMargin, chosen.height + 2 * kSpotMargin};
    current.spot = Intersect(grown, view.area);
    return true;
}

bool MeasureSpot(const cv::Mat& frame, int channel, int maxAveNoise, SpotRecord& current) {
    const PixelRect& spot = current.spot;
    current.centroidX = spot.x + 0.5f * spot.width;
    current.centroidY = spot.y + 0.5f * spot.height;
    if (frame.type() != CV_8UC3 || channel < 0 || channel > 2) return maxAveNoise <= 0;
    const PixelRect area = ClipToImage(spot, frame.cols, frame.rows);
    std::int64_t sum = 0, sumX = 0, sumY = 0, noise = 0, dark = 0;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* pixel = frame.ptr<uchar>(y) + 3 * area.x;
        for (int x = area.x; x < area.Right(); ++x, pixel += 3) {
            const int v = pixel[channel];
            if (v != 0) {
                sum += v;
                sumX += static_cast<std::int64_t>(v) * x;
                sumY += static_cast<std::int64_t>(v) * y;
            } else {
                ++dark;
                noise += pixel[kNoiseChannel];
            }
        }
    }
    if (sum > 0) {
        current.centroidX = static_cast<float>(static_cast<double>(sumX) / sum);
        current.centroidY = static_cast<float>(static_cast<double>(sumY) / sum);
    }
    if (maxAveNoise <= 0) return true;
    const double average = dark > 0 ? static_cast<double>(noise) / dark : 0.0;
    return average <= maxAveNoise;
}
