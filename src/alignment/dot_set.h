#pragma once
// The nine target dots of the manual alignment: where the pen was seen on each of them, which
// one the user is asked to touch next, and the per-frame reading of the pen spot against them.
#include <opencv2/core/types.hpp>

#include <array>
#include <cstdint>

#include "settings/pattern_points.h"

// Corner indices of the dots in the order they are offered: corners, edge mid-points and the
// centre of the board on a landscape desktop.
inline constexpr std::array<int, 9> kDotOrder = {0, 3, 6, 14, 17, 20, 28, 31, 34};

enum class DotState { Waiting, Done, Lost };

// What recording one input led to.
enum class DotRecordOutcome {
    NoTarget,  // no dot was current; nothing recorded
    NextDot,   // another dot is current now
    AllDone,   // all nine dots have a position
    AllTried,  // every dot was offered (lost ones twice) and some are lost
};

// Laid out like a CornerBuffer (points, then the count of done points) so that the set can be
// handed to the board evaluation as it is.
struct DotSet {
    // Sensor position per corner index: (0, 0) waiting, (-1, -1) lost, positive done.
    cv::Point2f points[CornerBuffer::kCapacity];
    int32_t count = 0;
    int32_t current = -1;  // corner index of the target dot, -1 when none
    int32_t done = 0;
    int32_t lost = 0;

    static DotState StateOf(cv::Point2f point);

    // Every dot waiting, no target.
    void Clear();
    // Cleared, with the first dot of the order as the target.
    void Begin();
    // Stores `point` for the target dot (lost unless both coordinates are positive) and picks the
    // next target. A lost dot is offered once more after the last dot of the order; when it is
    // lost again the dots after it in the order follow, then the run counts as tried.
    DotRecordOutcome Record(cv::Point2f point);

    // True when a done dot lies less than `distance` pixels from the point in both axes.
    bool HasDoneDotNear(cv::Point2f point, float distance) const;
    // True when two done dots lie less than `distance` pixels apart in both axes.
    bool HasClosePair(float distance) const;
    // The points and the count, as the board evaluation takes them (lost dots as (0, 0)).
    CornerBuffer Corners() const;

private:
    void Recount();
    int SearchFrom(int position, bool wrap) const;
};
static_assert(sizeof(DotSet) == sizeof(CornerBuffer) + 12, "a corner buffer and three counters");

// Position in kDotOrder of a corner index, -1 when it is not a dot.
int DotOrderPosition(int cornerIndex);

// What one frame's pen spot means for the input step.
enum DotInput : int {
    DotInputNone = 0,         // no spot
    DotInputNew = 1,          // a spot away from every done dot: an input for the target
    DotInputOnDoneDot = 2,    // the pen still rests on (or came back to) a recorded dot
};

// Follows the spot from frame to frame: counts the frames in which it stayed put (the pen left
// on a dot) and tells new inputs from repeated ones.
class DotInputWatch {
public:
    static constexpr float kStillDistance = 10.0f;
    static constexpr float kRecordedDistance = 10.0f;
    static constexpr int kDoubleInputWarningFrames = 5;

    void Reset();
    // One frame: `found` with the spot's position, or no spot.
    DotInput Update(const DotSet& dots, bool found, cv::Point2f spot);
    int StillFrames() const { return stillFrames_; }
    bool ShowsDoubleInputWarning() const { return stillFrames_ >= kDoubleInputWarningFrames; }
    cv::Point2f Spot() const { return spot_; }

private:
    cv::Point2f spot_{-1.0f, -1.0f};
    int stillFrames_ = 0;
};
