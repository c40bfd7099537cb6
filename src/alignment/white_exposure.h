#pragma once
// The exposure at which the lit screen shows without clipping. A camera set for a dim room
// clips a bright screen white; the board's white squares and the screen's edge then only show
// where they end, not how, and the lens fitted to them bends the picture's corners pixels off.
// The search lowers the exposure in big steps until the white screen no longer clips, and raises
// it once if that left the screen dim. It never goes above the exposure it started from.
#include <opencv2/core/mat.hpp>

#include <optional>

// How the white screen looks in the middle of the picture, where the screen lies whenever the
// sensor is aimed at it.
struct WhiteScreenLevels {
    double clippedShare = 0.0;  // of the middle's pixels at the top of the range
    int white = 0;              // the level of the brightest tenth of the middle
};

WhiteScreenLevels MeasureWhiteScreen(const cv::Mat& plane);

class WhiteExposureSearch {
public:
    // The exposure the sensor starts at and the least it takes.
    void Start(int current, int minimum);
    // Takes the white screen seen at the current exposure: the exposure to set and look again
    // at, or nothing when the current one is the one to keep.
    std::optional<int> Next(const WhiteScreenLevels& seen);
    int Current() const { return current_; }

private:
    static constexpr int kFirstDrop = 3;   // exposure units: an eighth of the light
    static constexpr int kMostLooks = 6;

    int current_ = 0;
    int minimum_ = 0;
    int looks_ = 0;
    bool raised_ = false;
    std::optional<int> lowestClipped_;
    std::optional<int> highestClear_;
};
