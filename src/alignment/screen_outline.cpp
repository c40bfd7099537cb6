#include "alignment/screen_outline.h"

#include <algorithm>
#include <cmath>

namespace {

// Ends of each side left out: near a screen corner the other side's step is in the search.
constexpr float kSideEnd = 0.08f;
// How far inward (share of the shorter side) the plane point lies that gives the search direction.
constexpr float kInwardShare = 0.03f;
// Sensor pixels searched either side of the predicted edge, and the step between samples.
constexpr float kReach = 5.0f;
constexpr float kStep = 0.25f;
constexpr int kSamples = static_cast<int>(2.0f * kReach / kStep) + 1;
// Samples either side of the crossing whose lit share places the step.
constexpr int kWindowSamples = static_cast<int>(2.0f / kStep);
// Levels the lit side must stand above the dark side for the crossing to mean anything.
constexpr float kLeastStep = 12.0f;
// A white reference level from which on the sensor may have clipped.
constexpr float kClipped = 250.0f;

float Bilinear(const cv::Mat& plane, float x, float y) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0;
    const float fy = y - y0;
    const uchar* row0 = plane.ptr<uchar>(y0);
    const uchar* row1 = plane.ptr<uchar>(y0 + 1);
    return (1.0f - fy) * ((1.0f - fx) * row0[x0] + fx * row0[x0 + 1]) +
           fy * ((1.0f - fx) * row1[x0] + fx * row1[x0 + 1]);
}

bool InsidePicture(const cv::Mat& plane, cv::Point2f p) {
    return p.x >= 0.0f && p.y >= 0.0f && p.x < plane.cols - 1 && p.y < plane.rows - 1;
}

// Where white - black (the black screen alone where white clipped) steps from its dark to its
// lit end along the line from `from` in `direction` (unit, pointing into the screen); false
// without one clear step.
bool FindCrossing(const cv::Mat& white, const cv::Mat& black, cv::Point2f from,
                  cv::Point2f direction, cv::Point2f& crossing) {
    const cv::Point2f first = from - kReach * direction;
    const cv::Point2f last = from + kReach * direction;
    if (!InsidePicture(white, first) || !InsidePicture(white, last)) return false;
    std::array<float, kSamples> profile{};
    bool clipped = false;
    for (int k = 0; k < kSamples; ++k) {
        const cv::Point2f p = first + (k * kStep) * direction;
        const float lit = Bilinear(white, p.x, p.y);
        const float dark = Bilinear(black, p.x, p.y);
        clipped = clipped || lit >= kClipped;
        profile[k] = lit - dark;
    }
    // A clipped white screen shows a pixel the edge cuts as fully lit: its step sits on the
    // pixel border whatever the edge does. The dark screen, brighter than the room beside it,
    // still shows the cut share.
    if (clipped) {
        for (int k = 0; k < kSamples; ++k) {
            const cv::Point2f p = first + (k * kStep) * direction;
            profile[k] = Bilinear(black, p.x, p.y);
        }
    }
    const int endSamples = static_cast<int>(1.0f / kStep);
    float dark = 0.0f, lit = 0.0f;
    for (int k = 0; k < endSamples; ++k) {
        dark += profile[k];
        lit += profile[kSamples - 1 - k];
    }
    dark /= endSamples;
    lit /= endSamples;
    if (lit - dark < kLeastStep) return false;
    const float half = 0.5f * (dark + lit);
    int crossingAt = -1;
    for (int k = 0; k + 1 < kSamples; ++k) {
        if (profile[k] < half && profile[k + 1] >= half) {
            if (crossingAt >= 0) return false;
            crossingAt = k;
        }
    }
    if (crossingAt < 0) return false;
    // The step's place is where the lit share of the window around the crossing says it is:
    // unlike the half-way point between two samples, that holds however the edge cuts the pixels.
    const int windowStart = std::max(0, crossingAt + 1 - kWindowSamples);
    const int windowEnd = std::min(kSamples - 1, crossingAt + kWindowSamples);
    float litShare = 0.0f;
    for (int k = windowStart; k < windowEnd; ++k)
        litShare += 0.5f * (profile[k] + profile[k + 1] - 2.0f * dark) / (lit - dark);
    const float along = kStep * (windowEnd - litShare);
    crossing = from + (along - kReach) * direction;
    return true;
}

cv::Point2f SidePoint(ScreenSide side, float t, cv::Size2f plane) {
    switch (side) {
        case ScreenSide::Left: return {0.0f, t * plane.height};
        case ScreenSide::Top: return {t * plane.width, 0.0f};
        case ScreenSide::Right: return {plane.width, t * plane.height};
        default: return {t * plane.width, plane.height};
    }
}

cv::Point2f Inward(ScreenSide side) {
    switch (side) {
        case ScreenSide::Left: return {1.0f, 0.0f};
        case ScreenSide::Top: return {0.0f, 1.0f};
        case ScreenSide::Right: return {-1.0f, 0.0f};
        default: return {0.0f, -1.0f};
    }
}

}  // namespace

OutlinePoints FindScreenOutline(const cv::Mat& white, const cv::Mat& black,
                                const CameraModel& model, cv::Size2f plane) {
    OutlinePoints outline;
    outline.plane = plane;
    if (white.empty() || white.type() != CV_8UC1 || black.size() != white.size() ||
        black.type() != CV_8UC1 || plane.width <= 0.0f || plane.height <= 0.0f)
        return outline;
    const float inward = kInwardShare * std::min(plane.width, plane.height);
    for (ScreenSide side : {ScreenSide::Left, ScreenSide::Top, ScreenSide::Right, ScreenSide::Bottom}) {
        for (int i = 0; i < OutlinePoints::kPerSide; ++i) {
            const float t = kSideEnd + (1.0f - 2.0f * kSideEnd) * i / (OutlinePoints::kPerSide - 1);
            const cv::Point2f onSide = SidePoint(side, t, plane);
            const cv::Point2f inside = onSide + inward * Inward(side);
            const cv::Point2f from = model.ProjectBoardPoint(onSide.x, onSide.y);
            const cv::Point2f towards = model.ProjectBoardPoint(inside.x, inside.y) - from;
            const float length = std::hypot(towards.x, towards.y);
            cv::Point2f crossing;
            if (!(length > 0.0f) ||
                !FindCrossing(white, black, from, towards / length, crossing))
                continue;
            outline.sensor[outline.count] = crossing;
            outline.side[outline.count++] = side;
        }
    }
    return outline;
}
