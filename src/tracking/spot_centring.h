#pragma once
// The pen's centre where the screen behind the spot is not one level. The pen is bright enough
// to clip the sensor, and over a bright part of the screen its glow clips (and, through the
// camera's response, shows) further out than over a dark part: subtracting the screen cannot
// undo that, and a centroid leans towards the bright side. The pen's light is round, though:
// the centre is that of the circle through the spot's edge where the screen behind is darkest.
#include <algorithm>

#include <opencv2/core.hpp>

// The pen's light in one pixel: what it shows above the screen there. A clipped pixel hides how
// much more it got; counting every clipped pixel alike keeps the clipped core, which the pen
// centres, evenly weighted whatever lies behind it.
inline int PenLight(int value, int background) {
    constexpr int kClipped = 255;
    return value >= kClipped ? kClipped : std::max(value - background, 0);
}

class SpotCentring {
public:
    // frame: 3 channels; background: the screen as it looks without the pen (1 channel of the
    // frame's size; empty counts as black); reach: how far the pen's light goes, in pixels.
    SpotCentring(const cv::Mat& frame, const cv::Mat& background, int channel, int reach);

    // Moves `estimate` (x, y) to the centre of the spot's edge on the darkest screen when the
    // screen around it is uneven and enough of the edge lies on that level; otherwise leaves it.
    void Refine(cv::Point2d& estimate) const;

private:
    static constexpr double kScreenStep = 10.0;  // levels: a change in what the screen shows
    static constexpr int kFaintest = 40;         // peak light below which edges are noise
    static constexpr int kRays = 24;
    static constexpr int kFewestRays = 8;        // at least a third of the circle

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < frame_.cols && y < frame_.rows; }
    int Behind(int x, int y) const;
    int Light(int x, int y) const;
    double LightAt(double x, double y) const;  // bilinear; -1 outside the frame
    // Where the light falls through `level` going out from `from` along (dx, dy); false when
    // it does not within the reach.
    // The brightest screen behind the outer half of the ray from `from` to `edge`.
    int ScreenBehindRay(cv::Point2d from, cv::Point2d edge) const;
    bool EdgeOnRay(cv::Point2d from, double dx, double dy, double level, cv::Point2d& edge) const;

    const cv::Mat& frame_;
    const cv::Mat* background_;
    int channel_;
    int reach_;
};
