#include "imaging/pattern_primitives.h"

#include "imaging/plane_operations.h"
#include "imaging/region_fill.h"

namespace {

bool IsPlane(const cv::Mat& image) { return image.type() == CV_8UC1 && !image.empty(); }

PixelRect ClipToBoth(const PixelRect& rect, const cv::Mat& a, const cv::Mat& b) {
    return ClipToImage(ClipToImage(rect, a.cols, a.rows), b.cols, b.rows);
}

void BinarizeTile(const cv::Mat& source, cv::Mat& destination, const PixelRect& tile) {
    const double mean = PlaneMean(source, tile);
    for (int y = tile.y; y < tile.Bottom(); ++y) {
        const uchar* in = source.ptr<uchar>(y) + tile.x;
        uchar* out = destination.ptr<uchar>(y) + tile.x;
        for (int x = 0; x < tile.width; ++x) out[x] = in[x] > mean ? 255 : 0;
    }
}

}  // namespace

void TileBinarize(const cv::Mat& source, cv::Mat& destination, int tilesAcross, int tilesDown,
                  const PixelRect& rect) {
    if (!IsPlane(source) || !IsPlane(destination) || tilesAcross < 1 || tilesDown < 1) return;
    const PixelRect area = ClipToBoth(rect, source, destination);
    if (area.IsEmpty()) return;
    const int tileWidth = (area.width + 1) / tilesAcross;
    const int tileHeight = (area.height + 1) / tilesDown;
    for (int j = 0; j < tilesDown; ++j) {
        for (int i = 0; i < tilesAcross; ++i) {
            PixelRect tile{area.x + i * tileWidth, area.y + j * tileHeight, tileWidth, tileHeight};
            if (i == tilesAcross - 1) tile.width = area.Right() - tile.x;
            if (j == tilesDown - 1) tile.height = area.Bottom() - tile.y;
            tile = ClipToImage(tile, area.Right(), area.Bottom());
            if (!tile.IsEmpty()) BinarizeTile(source, destination, tile);
        }
    }
}

void BlendThreshold(const cv::Mat& frame, const cv::Mat& low, const cv::Mat& high,
                    cv::Mat& destination, int channel, int percent, bool invert,
                    const PixelRect& rect) {
    if (frame.type() != CV_8UC3 || frame.empty() || !IsPlane(low) || !IsPlane(high) ||
        !IsPlane(destination) || channel < 0 || channel > 2)
        return;
    if (percent < 20 || percent > 90) percent = 50;
    const PixelRect area = ClipToBoth(ClipToBoth(rect, frame, low), high, destination);
    for (int y = area.y; y < area.Bottom(); ++y) {
        const uchar* value = frame.ptr<uchar>(y) + 3 * area.x + channel;
        const uchar* dark = low.ptr<uchar>(y) + area.x;
        const uchar* bright = high.ptr<uchar>(y) + area.x;
        uchar* out = destination.ptr<uchar>(y) + area.x;
        for (int x = 0; x < area.width; ++x) {
            out[x] = 255;
            if (dark[x] >= bright[x]) continue;
            const int cut = dark[x] + static_cast<int>((bright[x] - dark[x]) * percent * 0.01);
            const int v = value[3 * x];
            if (invert ? v > cut : v < cut) out[x] = 0;
        }
    }
}

PixelRect LargestRegion(cv::Mat& image, int level, const PixelRect& rect) {
    if (!IsPlane(image)) return {};
    const PixelRect area = ClipToImage(rect, image.cols, image.rows);
    RegionFill fill;
    fill.Reserve(image.cols, image.rows);
    PixelRect best;
    bool found = false;
    for (int y = area.y; y < area.Bottom() - 1; ++y) {
        for (int x = area.x; x < area.Right() - 1; ++x) {
            const int value = image.ptr<uchar>(y)[x];
            if (value <= level) continue;
            const FilledRegion region = fill.Fill(image, image.cols, image.rows, x, y, value);
            const long long size = static_cast<long long>(region.box.width) * region.box.height;
            if (!found || size > static_cast<long long>(best.width) * best.height) best = region.box;
            found = true;
        }
    }
    return best;
}
