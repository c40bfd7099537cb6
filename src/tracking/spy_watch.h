#pragma once
// Watches a few points just outside the screen's corners for a rise in ambient light: when the
// room gets brighter, the learnt threshold no longer holds and the gain has to be found again.
#include <windows.h>

#include <opencv2/core/mat.hpp>

#include <array>

struct SpyPoint {
    int x = 0;  // sensor pixels
    int y = 0;
    int reference = 0;  // cross sum when tracking started
    int current = 0;
};

class SpyWatch {
public:
    static constexpr int kMaxPoints = 4;
    static constexpr int kMinimumPoints = 3;

    // Takes the points; none are kept unless variance and interval are both at least 1.
    void Configure(const POINT* points, int count, int variance, int interval);
    // The next frame given to Check becomes the reference.
    void Restart();
    // Once every interval + 1 frames, counts the points whose mean of five pixels rose by more
    // than the variance; 0 on the other frames and while inactive.
    int Check(const cv::Mat& frame, int channel);
    // More than one brightened point is a change of the room's light, not a pen or a hand.
    static bool IsLightChange(int changedPoints) { return changedPoints > 1; }

    bool Active() const { return count_ >= kMinimumPoints; }
    int Count() const { return count_; }

private:
    std::array<SpyPoint, kMaxPoints> points_{};
    int count_ = 0;
    int variance_ = 0;
    int interval_ = 0;
    int frameCounter_ = 0;
    bool referencesTaken_ = false;
};
