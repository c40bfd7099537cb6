// Manual alignment: the pen on the dots. Finding the spot, recording it for the target dot,
// evaluating the nine positions like a board, and the Ctrl+Z check for a light that is not
// the pen.
#include "controller/controller.h"

#include <algorithm>

#include "resources/resource_ids.h"
#include "imaging/frame_operations.h"
#include "tracking/spot_detection.h"
#include "tracking/spot_tracker.h"

namespace {

constexpr int kManualMinDots = 6;
// Two dots this close (both axes) were input on the same spot.
constexpr float kSameSpotDistance = 3.0f;
// Frames the Ctrl+Z check waits for a light before it tells the user there is none.
constexpr int kHotSpotCheckFrames = 22;

}  // namespace

bool Controller::FindManualSpot(cv::Point2f& spot) {
    const int channel = std::clamp(ManualTrackingRow().channel, 0, 2);
    const PixelRect& area = frameImages_.detectionArea;
    ExtractChannel(frameImages_.frame, frameImages_.channelPlane, channel, area);
    manualSpot_.blobCount =
        manualFinder_.Find(frameImages_.channelPlane, area, frameImages_.thresholdImage);
    const SpotView view{frameImages_.frame, frameImages_.thresholdImage, channel, area};
    if (!DetectSpot(manualFinder_, view, SpotParametersFrom(coreParameters_.tracking),
                    manualPreviousSpot_, manualSpot_, manualBlocking_)) {
        manualPreviousSpot_.Reset();
        return false;
    }
    const PixelRect& rect = manualSpot_.spot;
    spot = cv::Point2f(rect.x + rect.width / 2.0f, rect.y + rect.height / 2.0f);
    manualSpot_.centroidX = spot.x;
    manualSpot_.centroidY = spot.y;
    manualPreviousSpot_ = manualSpot_;
    return true;
}

StepResult Controller::ManualInputStep() {
    if (justEntered_) {
        justEntered_ = false;
        Repaint();
        return StepResult::KeepGoing;
    }
    cv::Point2f spot(-1.0f, -1.0f);
    const bool found = FindManualSpot(spot);
    const bool warned = dotWatch_.ShowsDoubleInputWarning();
    if (dotWatch_.Update(dots_, found, spot) == DotInputNew) {
        RecordDotInput(spot);
    } else if (dotWatch_.ShowsDoubleInputWarning() != warned) {
        Repaint();
    }
    return StepResult::KeepGoing;
}

DotRecordOutcome Controller::RecordDotInput(cv::Point2f point) {
    const DotRecordOutcome outcome = dots_.Record(point);
    Repaint();
    switch (outcome) {
    case DotRecordOutcome::AllDone:
        AskManualQuestion(IDS_MANUAL_INPUTS_DONE);
        break;
    case DotRecordOutcome::AllTried:
        AskManualQuestion(dots_.done < kManualMinDots ? IDS_MANUAL_TOO_FEW_DOTS
                                                      : IDS_MANUAL_SOME_DOTS_MISSED);
        break;
    default:
        break;
    }
    return outcome;
}

StepResult Controller::ManualFinishStep() {
    if (dots_.done < kManualMinDots) return FailAlignment(IDS_LOSING_CORNERS);
    if (dots_.HasClosePair(kSameSpotDistance)) return FailAlignment(IDS_ALIGNMENT_FAIL);
    CornerBuffer corners = dots_.Corners();
    mapping_.SetMinCorners(kManualMinDots);
    // The lens for nine points (no p2) is the one fitted, graded and then tracked with.
    mapping_.SelectOffsetPairByPointCount(static_cast<int>(kDotOrder.size()));
    // Only nine of the board's slots are used; the other 26 do not count as lost.
    mapping_.SetManualAlignment(true);
    const StepResult result = EvaluateAlignmentBoard(corners, corners.count);
    mapping_.SetManualAlignment(false);
    return result;
}

StepResult Controller::ManualHotSpotStep() {
    cv::Point2f spot;
    if (FindManualSpot(spot)) {
        AskManualQuestion(IDS_MANUAL_HOT_SPOT_FOUND);
    } else if (++hotSpotCheckFrames_ >= kHotSpotCheckFrames) {
        AskManualQuestion(IDS_MANUAL_NO_HOT_SPOT);
    }
    return StepResult::KeepGoing;
}

void Controller::AskManualQuestion(int id) {
    manualQuestion_ = id;
    EndStep(Mode::ManualAlignment, StepResult::KeepGoing);
}
