// Auto alignment step 7: when the whole board cannot be used, each of the 35 corners is shown
// alone and found one at a time; the collected set is checked for strays and evaluated.
#include "controller/controller.h"

#include "alignment/corner_order.h"
#include "alignment/corner_refinement.h"
#include "imaging/plane_operations.h"

namespace {

constexpr int kCornerRefineHalfSize = 5;

}  // namespace

void Controller::BeginCornerByCorner() {
    AutoAlignmentState& state = autoAlignment_;
    FillPlane(frameImages_.channelPlane, 255);
    state.stepCorners = CornerBuffer{};
    state.stepFound = 0;
    state.retryCount = 0;
    modes_.autoAlignmentStep = 7;
    ShowPattern(kPatternSingleCorner, 0);
    StartShortSettle();
}

StepResult Controller::AlignCornerByCornerStep() {
    AutoAlignmentState& state = autoAlignment_;
    const int level = model_.pattern.Level();
    const int last = model_.pattern.Columns() * model_.pattern.Rows() - 1;
    if (level < 0 || level > last) return FailAlignment(kFailureTooFewCorners);

    FindSingleCorner(AlignmentImages(), state.corners);
    if (level == 0) state.seen.Clear();
    // A corner found where an earlier one was is a stale picture, not this corner.
    state.seen.DropRepeats(state.corners);
    if (state.corners.count == 1) {
        RefineCorners(frameImages_.channelPlane, state.corners.points, 1, kCornerRefineHalfSize);
        state.stepCorners.points[level] = state.corners.points[0];
        ++state.stepFound;
    }
    handOff_.pendingMessage = kFailureTooFewCorners;

    if (level < last) {
        state.retryCount = 0;
        if (level + 1 - state.stepFound > state.minCorners) return StepResult::Failed;
        ShowPattern(kPatternSingleCorner, level + 1);
        StartShortSettle();
        return StepResult::KeepGoing;
    }
    state.stepCorners.count = state.stepFound;
    if (state.stepFound < state.minCorners) return StepResult::Failed;
    if (FilterStrayCorners(state.stepCorners, model_.pattern.Columns(), model_.pattern.Rows()) < 0) {
        return StepResult::Failed;
    }
    state.corners = state.stepCorners;
    state.savedCorners = state.stepCorners;
    const StepResult result = EvaluateAlignmentBoard(state.corners, state.stepFound);
    state.savedCorners = state.corners;
    return result;
}
