#include "alignment/dot_set.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDots = static_cast<int>(kDotOrder.size());
// Slots of the board that can hold a dot.
constexpr int kBoardSlots = 35;

bool Near(cv::Point2f a, cv::Point2f b, float distance) {
    return std::fabs(a.x - b.x) < distance && std::fabs(a.y - b.y) < distance;
}

}  // namespace

DotState DotSet::StateOf(cv::Point2f point) {
    if (point.x > 0.0f && point.y > 0.0f) return DotState::Done;
    if (point.x == 0.0f && point.y == 0.0f) return DotState::Waiting;
    return DotState::Lost;
}

int DotOrderPosition(int cornerIndex) {
    const auto found = std::find(kDotOrder.begin(), kDotOrder.end(), cornerIndex);
    return found == kDotOrder.end() ? -1 : static_cast<int>(found - kDotOrder.begin());
}

void DotSet::Clear() {
    std::fill(std::begin(points), std::end(points), cv::Point2f(0.0f, 0.0f));
    count = 0;
    current = -1;
    done = 0;
    lost = 0;
}

void DotSet::Begin() {
    Clear();
    current = kDotOrder[0];
}

DotRecordOutcome DotSet::Record(cv::Point2f point) {
    const int position = DotOrderPosition(current);
    if (position < 0) return DotRecordOutcome::NoTarget;
    // A target that was lost before is being offered again after the last dot of the order.
    const bool revisit = StateOf(points[current]) == DotState::Lost;
    points[current] = point.x > 0.0f && point.y > 0.0f ? point : cv::Point2f(-1.0f, -1.0f);
    Recount();

    if (SearchFrom(position, true) < 0) {
        current = -1;
        return DotRecordOutcome::AllDone;
    }
    // The second round over the lost dots goes to the end of the order once, without wrapping.
    const int next = SearchFrom(position, !revisit);
    if (next < 0) {
        current = -1;
        return DotRecordOutcome::AllTried;
    }
    current = next;
    return DotRecordOutcome::NextDot;
}

int DotSet::SearchFrom(int position, bool wrap) const {
    const int last = wrap ? position + kDots : kDots - 1;
    for (int p = position + 1; p <= last; ++p) {
        const int index = kDotOrder[p % kDots];
        if (StateOf(points[index]) != DotState::Done) return index;
    }
    return -1;
}

void DotSet::Recount() {
    done = 0;
    lost = 0;
    for (int i = 0; i < kBoardSlots; ++i) {
        const DotState state = StateOf(points[i]);
        if (state == DotState::Done) ++done;
        if (state == DotState::Lost) ++lost;
    }
    count = done;
}

bool DotSet::HasDoneDotNear(cv::Point2f point, float distance) const {
    for (int index : kDotOrder) {
        if (StateOf(points[index]) == DotState::Done && Near(points[index], point, distance)) return true;
    }
    return false;
}

bool DotSet::HasClosePair(float distance) const {
    for (int a = 0; a < kDots; ++a) {
        const cv::Point2f first = points[kDotOrder[a]];
        if (StateOf(first) != DotState::Done) continue;
        for (int b = a + 1; b < kDots; ++b) {
            const cv::Point2f second = points[kDotOrder[b]];
            if (StateOf(second) == DotState::Done && Near(first, second, distance)) return true;
        }
    }
    return false;
}

CornerBuffer DotSet::Corners() const {
    CornerBuffer corners;
    // The evaluation counts (0, 0) as lost; any other non-positive point would count as bad.
    std::transform(std::begin(points), std::end(points), corners.points, [](cv::Point2f point) {
        return StateOf(point) == DotState::Lost ? cv::Point2f(0.0f, 0.0f) : point;
    });
    corners.count = count;
    return corners;
}

void DotInputWatch::Reset() {
    spot_ = {-1.0f, -1.0f};
    stillFrames_ = 0;
}

DotInput DotInputWatch::Update(const DotSet& dots, bool found, cv::Point2f spot) {
    const bool hadSpot = spot_.x >= 0.0f;
    if (found && hadSpot && Near(spot, spot_, kStillDistance)) {
        ++stillFrames_;
    } else {
        stillFrames_ = 0;
    }
    if (!found) {
        spot_ = {-1.0f, -1.0f};
        return DotInputNone;
    }
    spot_ = spot;
    return dots.HasDoneDotNear(spot, kRecordedDistance) ? DotInputOnDoneDot : DotInputNew;
}
