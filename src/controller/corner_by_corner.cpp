// Auto alignment step 7: when the whole board cannot be used, each of the 35 corners is shown
// alone and found one at a time; the collected set is checked for strays and evaluated.
#include "controller/auto_alignment_run.h"

#include "alignment/corner_order.h"
#include "alignment/corner_refinement.h"
#include "imaging/plane_operations.h"

namespace {

constexpr int kCornerRefineHalfSize = 5;

}  // namespace

void AutoAlignmentRun::BeginCornerByCorner() {
    FillPlane(images_.channelPlane, 255);
    state_.stepCorners = CornerBuffer{};
    state_.stepFound = 0;
    state_.retryCount = 0;
    step_ = 7;
    ShowPattern(kPatternSingleCorner, 0);
    services_.ShortSettle();
}

StepResult AutoAlignmentRun::CornerByCornerStep() {
    const int level = pattern_.Level();
    const int last = pattern_.Columns() * pattern_.Rows() - 1;
    if (level < 0 || level > last) return Fail(AlignmentFailure::TooFewCorners);

    FindSingleCorner(Images(), state_.corners);
    if (level == 0) state_.seen.Clear();
    // A corner found where an earlier one was is a stale picture, not this corner.
    state_.seen.DropRepeats(state_.corners);
    if (state_.corners.count == 1) {
        RefineCorners(images_.channelPlane, state_.corners.points, 1, kCornerRefineHalfSize);
        state_.stepCorners.points[level] = state_.corners.points[0];
        ++state_.stepFound;
    }

    if (level < last) {
        state_.retryCount = 0;
        if (level + 1 - state_.stepFound > state_.minCorners) {
            return Fail(AlignmentFailure::TooFewCorners);
        }
        ShowPattern(kPatternSingleCorner, level + 1);
        services_.ShortSettle();
        return StepResult::KeepGoing;
    }
    state_.stepCorners.count = state_.stepFound;
    if (state_.stepFound < state_.minCorners) return Fail(AlignmentFailure::TooFewCorners);
    if (FilterStrayCorners(state_.stepCorners, pattern_.Columns(), pattern_.Rows()) < 0) {
        return Fail(AlignmentFailure::TooFewCorners);
    }
    state_.corners = state_.stepCorners;
    state_.savedCorners = state_.stepCorners;
    const StepResult result = EvaluateBoard(state_.corners, state_.stepFound);
    state_.savedCorners = state_.corners;
    return result;
}
