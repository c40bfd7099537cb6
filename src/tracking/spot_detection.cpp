#include "tracking/spot_detection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tracking/spot_centring.h"

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

namespace {

struct LightSums {
    std::int64_t sum = 0, sumX = 0, sumY = 0;
};

LightSums SumLight(const cv::Mat& frame, const cv::Mat* background, int channel,
                   const PixelRect& area) {
    LightSums sums;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* pixel = frame.ptr<uchar>(y) + 3 * area.x;
        const uchar* behind = background != nullptr ? background->ptr<uchar>(y) + area.x : nullptr;
        for (int x = area.x; x < area.Right(); ++x, pixel += 3) {
            const int light = PenLight(pixel[channel], behind != nullptr ? *behind++ : 0);
            sums.sum += light;
            sums.sumX += static_cast<std::int64_t>(light) * x;
            sums.sumY += static_cast<std::int64_t>(light) * y;
        }
    }
    return sums;
}

// The columns (or rows) of a window reaching `reach` pixels either side of c, centred within a
// quarter pixel of it: an odd span centres on a pixel, an even one between two.
void CentredSpan(double c, int reach, int& start, int& size) {
    const double nearest = std::floor(c + 0.5);
    if (std::fabs(c - nearest) <= 0.25) {
        start = static_cast<int>(nearest) - reach;
        size = 2 * reach + 1;
    } else {
        start = static_cast<int>(std::floor(c)) - reach + 1;
        size = 2 * reach;
    }
}

double NoiseAround(const cv::Mat& frame, int channel, const PixelRect& area) {
    std::int64_t noise = 0, dark = 0;
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* pixel = frame.ptr<uchar>(y) + 3 * area.x;
        for (int x = area.x; x < area.Right(); ++x, pixel += 3) {
            if (pixel[channel] != 0) continue;
            ++dark;
            noise += pixel[kNoiseChannel];
        }
    }
    return dark > 0 ? static_cast<double>(noise) / dark : 0.0;
}

}  // namespace

bool MeasureSpot(const cv::Mat& frame, const cv::Mat& background, int channel, int maxAveNoise,
                 SpotRecord& current) {
    const PixelRect& spot = current.spot;
    current.centroidX = spot.x + 0.5f * spot.width;
    current.centroidY = spot.y + 0.5f * spot.height;
    if (frame.type() != CV_8UC3 || channel < 0 || channel > 2) return maxAveNoise <= 0;
    const bool backgroundFits = background.type() == CV_8UC1 && background.cols == frame.cols &&
                                background.rows == frame.rows;
    const cv::Mat* behind = backgroundFits ? &background : nullptr;
    const PixelRect area = ClipToImage(spot, frame.cols, frame.rows);
    const LightSums first = SumLight(frame, behind, channel, area);
    if (first.sum > 0) {
        const int reach = std::max(spot.width, spot.height) / 2;
        PixelRect window;
        CentredSpan(static_cast<double>(first.sumX) / first.sum, reach, window.x, window.width);
        CentredSpan(static_cast<double>(first.sumY) / first.sum, reach, window.y, window.height);
        window = ClipToImage(window, frame.cols, frame.rows);
        const LightSums centred = SumLight(frame, behind, channel, window);
        const LightSums& sums = centred.sum > 0 ? centred : first;
        cv::Point2d centre(static_cast<double>(sums.sumX) / sums.sum,
                           static_cast<double>(sums.sumY) / sums.sum);
        SpotCentring(frame, background, channel, reach).Refine(centre);
        current.centroidX = static_cast<float>(centre.x);
        current.centroidY = static_cast<float>(centre.y);
    }
    return maxAveNoise <= 0 || NoiseAround(frame, channel, area) <= maxAveNoise;
}
