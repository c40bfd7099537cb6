#include "tracking/spy_watch.h"

#include <algorithm>

#include "imaging/frame_operations.h"

void SpyWatch::Configure(const POINT* points, int count, int variance, int interval) {
    variance_ = variance;
    interval_ = interval;
    count_ = variance >= 1 && interval >= 1 && points != nullptr ? std::clamp(count, 0, kMaxPoints)
                                                                 : 0;
    for (int i = 0; i < kMaxPoints; ++i)
        points_[i] = i < count_ ? SpyPoint{points[i].x, points[i].y, 0, 0} : SpyPoint{};
    Restart();
}

void SpyWatch::Restart() {
    frameCounter_ = 0;
    referencesTaken_ = false;
    for (SpyPoint& point : points_) point.current = 0;
}

int SpyWatch::Check(const cv::Mat& frame, int channel) {
    if (!Active() || frame.empty()) return 0;
    if (!referencesTaken_) {
        for (int i = 0; i < count_; ++i)
            points_[i].reference = CrossSum(frame, channel, points_[i].x, points_[i].y);
        referencesTaken_ = true;
    }
    if (frameCounter_++ < interval_) return 0;
    frameCounter_ = 0;
    int changed = 0;
    for (int i = 0; i < count_; ++i) {
        SpyPoint& point = points_[i];
        point.current = CrossSum(frame, channel, point.x, point.y);
        if ((point.current - point.reference) * 0.2f > static_cast<float>(variance_)) ++changed;
    }
    return changed;
}
