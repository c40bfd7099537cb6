#include "alignment/screen_outline.h"

#include <algorithm>
#include <cmath>

#include "imaging/plane_operations.h"

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

bool InsidePicture(const cv::Mat& plane, cv::Point2f p) {
    return p.x >= 0.0f && p.y >= 0.0f && p.x < plane.cols - 1 && p.y < plane.rows - 1;
}

using Profile = std::array<float, kSamples>;

// Means of the profile's first and last samples: its dark and its lit end.
void EndLevels(const Profile& profile, float& dark, float& lit) {
    const int endSamples = static_cast<int>(1.0f / kStep);
    dark = lit = 0.0f;
    for (int k = 0; k < endSamples; ++k) {
        dark += profile[k];
        lit += profile[kSamples - 1 - k];
    }
    dark /= endSamples;
    lit /= endSamples;
}

// A line across an edge: `from` the predicted edge, `direction` a unit step into the screen.
struct Across {
    cv::Point2f from, direction;
};

// white - black and black alone along the line; false when the line leaves the picture.
bool SampleAcross(const cv::Mat& white, const cv::Mat& black, const Across& line,
                  Profile& litOverDark, Profile& darkAlone, bool& clipped) {
    const cv::Point2f first = line.from - kReach * line.direction;
    const cv::Point2f last = line.from + kReach * line.direction;
    if (!InsidePicture(white, first) || !InsidePicture(white, last)) return false;
    clipped = false;
    for (int k = 0; k < kSamples; ++k) {
        const cv::Point2f p = first + (k * kStep) * line.direction;
        const float lit = LevelBetweenPixels(white, p.x, p.y);
        darkAlone[k] = LevelBetweenPixels(black, p.x, p.y);
        clipped = clipped || lit >= kClipped;
        litOverDark[k] = lit - darkAlone[k];
    }
    return true;
}

// Where the profile steps from its dark to its lit end; false without one clear step.
bool FindStep(const Profile& profile, const Across& line, cv::Point2f& crossing) {
    float dark = 0.0f, lit = 0.0f;
    EndLevels(profile, dark, lit);
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
    crossing = line.from + (along - kReach) * line.direction;
    return true;
}

// Which edge a search found a step on.
enum class FoundEdge { None, Lit, Screen };

// The step of white - black across the lit rectangle's edge. Where the white clipped, a pixel
// the edge cuts shows fully lit and that step sits on the pixel border whatever the edge does;
// there the dark screen, brighter than the room, places the screen's own edge instead: the
// desktop beyond the lit part is as dark in both, and a dark screen that clipped as well (a lit
// room) still steps above the room. Beside a menu bar the dark screen's step is the bar's: a
// straight line all the same, off the side by a distance the lens fit finds.
FoundEdge FindEdge(const cv::Mat& white, const cv::Mat& black, const Across& litLine,
                   const Across& screenLine, cv::Point2f& crossing) {
    Profile litOverDark{}, darkAlone{};
    bool clipped = false;
    if (!SampleAcross(white, black, litLine, litOverDark, darkAlone, clipped)) return FoundEdge::None;
    if (!clipped) return FindStep(litOverDark, litLine, crossing) ? FoundEdge::Lit : FoundEdge::None;
    if (!SampleAcross(white, black, screenLine, litOverDark, darkAlone, clipped)) return FoundEdge::None;
    return FindStep(darkAlone, screenLine, crossing) ? FoundEdge::Screen : FoundEdge::None;
}

cv::Point2f SidePoint(ScreenSide side, float t, const cv::Rect2f& rect) {
    const float x = rect.x + t * rect.width, y = rect.y + t * rect.height;
    switch (side) {
        case ScreenSide::Left: return {rect.x, y};
        case ScreenSide::Top: return {x, rect.y};
        case ScreenSide::Right: return {rect.x + rect.width, y};
        default: return {x, rect.y + rect.height};
    }
}

// The plane coordinate across the side: x for the left and right side, y for the others.
float EdgeOf(ScreenSide side, cv::Point2f onSide) {
    return side == ScreenSide::Left || side == ScreenSide::Right ? onSide.x : onSide.y;
}

cv::Point2f Inward(ScreenSide side) {
    switch (side) {
        case ScreenSide::Left: return {1.0f, 0.0f};
        case ScreenSide::Top: return {0.0f, 1.0f};
        case ScreenSide::Right: return {-1.0f, 0.0f};
        default: return {0.0f, -1.0f};
    }
}

// The line across the side at `onSide`, as `model` projects it; false when it has no direction.
bool LineAcross(const CameraModel& model, ScreenSide side, cv::Point2f onSide, float inward,
                Across& line) {
    const cv::Point2f inside = onSide + inward * Inward(side);
    line.from = model.ProjectBoardPoint(onSide.x, onSide.y);
    const cv::Point2f towards = model.ProjectBoardPoint(inside.x, inside.y) - line.from;
    const float length = std::hypot(towards.x, towards.y);
    if (!(length > 0.0f)) return false;
    line.direction = towards / length;
    return true;
}

}  // namespace

OutlinePoints FindScreenOutline(const cv::Mat& white, const cv::Mat& black,
                                const CameraModel& model, const cv::Rect2f& screen,
                                const cv::Rect2f& lit) {
    OutlinePoints outline;
    if (white.empty() || white.type() != CV_8UC1 || black.size() != white.size() ||
        black.type() != CV_8UC1 || lit.width <= 0.0f || lit.height <= 0.0f)
        return outline;
    const float inward = kInwardShare * std::min(lit.width, lit.height);
    for (ScreenSide side : {ScreenSide::Left, ScreenSide::Top, ScreenSide::Right, ScreenSide::Bottom}) {
        for (int i = 0; i < OutlinePoints::kPerSide; ++i) {
            const float t = kSideEnd + (1.0f - 2.0f * kSideEnd) * i / (OutlinePoints::kPerSide - 1);
            const cv::Point2f onLit = SidePoint(side, t, lit);
            const cv::Point2f onScreen = SidePoint(side, t, screen);
            Across litLine, screenLine;
            cv::Point2f crossing;
            if (!LineAcross(model, side, onLit, inward, litLine) ||
                !LineAcross(model, side, onScreen, inward, screenLine))
                continue;
            const FoundEdge found = FindEdge(white, black, litLine, screenLine, crossing);
            if (found == FoundEdge::None) continue;
            outline.sensor[outline.count] = crossing;
            outline.side[outline.count] = side;
            outline.edge[outline.count++] = EdgeOf(side, found == FoundEdge::Lit ? onLit : onScreen);
        }
    }
    return outline;
}
