#include "alignment/white_exposure.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kClippedLevel = 250;
// A share of the middle this large clipped is the screen, not a lamp or a reflection in view.
constexpr double kMostClippedShare = 0.02;
// Below this level the white screen stands too little above the room's noise and the black.
constexpr int kDimWhite = 110;

}  // namespace

WhiteScreenLevels MeasureWhiteScreen(const cv::Mat& plane) {
    WhiteScreenLevels levels;
    if (plane.type() != CV_8UC1 || plane.cols < 6 || plane.rows < 6) return levels;
    // The frame less a sixth of it on every side.
    const cv::Rect middle(plane.cols / 6, plane.rows / 6, plane.cols - 2 * (plane.cols / 6),
                          plane.rows - 2 * (plane.rows / 6));
    std::array<int, 256> histogram{};
    for (int y = middle.y; y < middle.y + middle.height; ++y) {
        const uchar* row = plane.ptr<uchar>(y);
        for (int x = middle.x; x < middle.x + middle.width; ++x) ++histogram[row[x]];
    }
    const int count = middle.area();
    int clipped = 0;
    for (int level = kClippedLevel; level < 256; ++level) clipped += histogram[level];
    levels.clippedShare = static_cast<double>(clipped) / count;
    // The screen need not fill the middle (a far or turned sensor): its level is that of the
    // brightest tenth.
    int above = 0;
    int level = 255;
    while (level > 0 && (above += histogram[level]) < count / 10) --level;
    levels.white = level;
    return levels;
}

void WhiteExposureSearch::Start(int current, int minimum) {
    *this = WhiteExposureSearch{};
    current_ = current;
    minimum_ = std::min(minimum, current);
}

std::optional<int> WhiteExposureSearch::Next(const WhiteScreenLevels& seen) {
    if (++looks_ > kMostLooks) return std::nullopt;
    std::optional<int> next;
    if (seen.clippedShare > kMostClippedShare) {
        lowestClipped_ = current_;
        if (highestClear_) {
            next = *highestClear_;
        } else if (current_ > minimum_) {
            next = std::max(minimum_, current_ - (looks_ == 1 ? kFirstDrop : 1));
        }
    } else {
        highestClear_ = std::max(highestClear_.value_or(current_), current_);
        // Only back towards an exposure that clipped: the one set for alignment is the most
        // the search asks of the sensor.
        const bool roomAbove = lowestClipped_ && current_ + 1 < *lowestClipped_;
        if (seen.white < kDimWhite && !raised_ && roomAbove) {
            raised_ = true;
            next = current_ + 1;
        }
    }
    if (next && *next == current_) next.reset();
    if (next) current_ = *next;
    return next;
}
