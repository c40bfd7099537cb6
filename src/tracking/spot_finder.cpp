#include "tracking/spot_finder.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kReservedBlobs = 256;

// Rectangles as (left, top, right, bottom), right and bottom exclusive.
struct Edges {
    int left, top, right, bottom;

    static Edges Around(const Blob& blob, int margin) {
        return {blob.x - margin, blob.y - margin, blob.x + blob.width + margin,
                blob.y + blob.height + margin};
    }
    bool Intersects(const Edges& other) const {
        return std::max(left, other.left) < std::min(right, other.right) &&
               std::max(top, other.top) < std::min(bottom, other.bottom);
    }
    void Include(const Edges& other) {
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
    }
};

}  // namespace

SpotFinder::SpotFinder() {
    blobs_.reserve(kReservedBlobs);
    work_.reserve(kReservedBlobs);
}

void SpotFinder::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    fill_.Reserve(width_, height_);
}

int SpotFinder::Find(cv::Mat& plane, const PixelRect& rect, const cv::Mat& threshold) {
    blobs_.clear();
    if (plane.type() != CV_8UC1 || threshold.type() != CV_8UC1) return 0;
    const int width = std::min({width_, plane.cols, threshold.cols});
    const int height = std::min({height_, plane.rows, threshold.rows});
    const PixelRect area = ClipToImage(rect, width, height);
    for (int y = area.y; y < area.Bottom() - 1; ++y) {
        const uchar* row = plane.ptr<uchar>(y);
        const uchar* limit = threshold.ptr<uchar>(y);
        for (int x = area.x; x < area.Right() - 1; ++x) {
            if (row[x] <= limit[x]) continue;
            const FilledRegion region = fill_.Fill(plane, width, height, x, y, limit[x]);
            if (region.pixels < kMinimumPixels) continue;
            Blob blob;
            blob.x = region.box.x;
            blob.y = region.box.y;
            blob.width = region.box.width;
            blob.height = region.box.height;
            blob.pixelCount = region.pixels;
            blobs_.push_back(blob);
        }
    }
    return static_cast<int>(blobs_.size());
}

int SpotFinder::Merge(int margin) {
    if (margin < 1 || blobs_.size() < 2) return static_cast<int>(blobs_.size());
    work_.assign(blobs_.begin(), blobs_.end());
    blobs_.clear();
    while (work_.size() >= 2) {
        Blob merged = work_.front();
        work_.erase(work_.begin());
        Edges united = Edges::Around(merged, margin);
        auto kept = work_.begin();
        for (auto it = work_.begin(); it != work_.end(); ++it) {
            const Edges grown = Edges::Around(*it, margin);
            if (grown.Intersects(united)) {
                united.Include(grown);
                merged.pixelCount += it->pixelCount;
            } else {
                *kept++ = *it;
            }
        }
        work_.erase(kept, work_.end());
        merged.x = united.left + margin;
        merged.y = united.top + margin;
        merged.width = united.right - united.left - 2 * margin;
        merged.height = united.bottom - united.top - 2 * margin;
        blobs_.push_back(merged);
    }
    blobs_.insert(blobs_.end(), work_.begin(), work_.end());
    work_.clear();
    return static_cast<int>(blobs_.size());
}

void SpotFinder::Associate(const SpotRecord& previous) {
    if (blobs_.size() < 2) return;
    auto choice = blobs_.begin();
    if (previous.blobCount < 1) {
        for (auto it = blobs_.begin(); it != blobs_.end(); ++it)
            if (it->pixelCount > choice->pixelCount) choice = it;
    } else {
        const PixelRect& last = previous.spot;
        bool anyInside = false;
        auto nearestInside = blobs_.end();
        for (auto it = blobs_.begin(); it != blobs_.end(); ++it) {
            const float cx = it->x + 0.5f * it->width;
            const float cy = it->y + 0.5f * it->height;
            const float dx = previous.centroidX - cx;
            const float dy = previous.centroidY - cy;
            it->distanceSquared = dx * dx + dy * dy;
            const bool inside = last.x <= cx && cx < last.x + last.width && last.y <= cy &&
                                cy < last.y + last.height;
            if (inside && (!anyInside || it->distanceSquared < nearestInside->distanceSquared))
                nearestInside = it;
            anyInside = anyInside || inside;
        }
        if (anyInside) {
            choice = nearestInside;
        } else {
            // The largest blob among those near enough; the largest of all when none is.
            const float reach = 5.0f * std::sqrt(static_cast<float>(last.width) * last.width +
                                                 static_cast<float>(last.height) * last.height);
            auto better = [](const Blob& a, const Blob& b) {
                return a.pixelCount > b.pixelCount ||
                       (a.pixelCount == b.pixelCount && a.distanceSquared < b.distanceSquared);
            };
            auto nearBest = blobs_.end();
            auto best = blobs_.begin();
            for (auto it = blobs_.begin(); it != blobs_.end(); ++it) {
                if (better(*it, *best)) best = it;
                if (it->distanceSquared <= reach && (nearBest == blobs_.end() || better(*it, *nearBest)))
                    nearBest = it;
            }
            choice = nearBest != blobs_.end() ? nearBest : best;
        }
    }
    blobs_.front() = *choice;
    blobs_.resize(1);
}
