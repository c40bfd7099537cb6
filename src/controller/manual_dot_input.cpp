// Manual alignment: the pen on the dots. Finding the spot, recording it for the target dot,
// evaluating the nine positions like a board, and the Ctrl+Z check for a light that is not
// the pen.
#include "controller/manual_alignment_run.h"

#include <algorithm>

#include "resources/resource_ids.h"
#include "imaging/frame_operations.h"
#include "tracking/spot_detection.h"

namespace {

constexpr int kManualMinDots = 6;
// Two dots this close (both axes) were input on the same spot.
constexpr float kSameSpotDistance = 3.0f;
// Frames the Ctrl+Z check waits for a light before it tells the user there is none.
constexpr int kHotSpotCheckFrames = 22;

}  // namespace

bool ManualAlignmentRun::FindSpot(cv::Point2f& spot) {
    const int channel = std::clamp(services_.TrackingRow().channel, 0, 2);
    const PixelRect& area = images_.detectionArea;
    ExtractChannel(images_.frame, images_.channelPlane, channel, area);
    spot_.blobCount = finder_.Find(images_.channelPlane, area, images_.thresholdImage);
    const SpotView view{images_.frame, images_.thresholdImage, channel, area};
    if (!DetectSpot(finder_, view, services_.TrackingSpot(), previousSpot_, spot_, blocking_)) {
        previousSpot_.Reset();
        return false;
    }
    // The dot is where tracking will see the pen: the light-weighted centre in pixel-centre
    // coordinates. A rectangle's middle sits half a pixel off that and jumps with the noise.
    MeasureSpot(images_.frame, cv::Mat(), channel, 0, spot_);
    spot = cv::Point2f(spot_.centroidX, spot_.centroidY);
    previousSpot_ = spot_;
    return true;
}

StepResult ManualAlignmentRun::InputStep() {
    if (justEntered_) {
        justEntered_ = false;
        services_.DotsChanged();
        return StepResult::KeepGoing;
    }
    cv::Point2f spot(-1.0f, -1.0f);
    const bool found = FindSpot(spot);
    const bool warned = watch_.ShowsDoubleInputWarning();
    if (watch_.Update(dots_, found, spot) == DotInputNew) {
        RecordDot(spot);
    } else if (watch_.ShowsDoubleInputWarning() != warned) {
        services_.DotsChanged();
    }
    return StepResult::KeepGoing;
}

DotRecordOutcome ManualAlignmentRun::RecordDot(cv::Point2f point) {
    const DotRecordOutcome outcome = dots_.Record(point);
    services_.DotsChanged();
    switch (outcome) {
    case DotRecordOutcome::AllDone:
        Ask(IDS_MANUAL_INPUTS_DONE);
        break;
    case DotRecordOutcome::AllTried:
        Ask(dots_.done < kManualMinDots ? IDS_MANUAL_TOO_FEW_DOTS : IDS_MANUAL_SOME_DOTS_MISSED);
        break;
    default:
        break;
    }
    return outcome;
}

std::optional<AlignmentFailure> FitManualDots(const DotSet& dots, ScreenMapping& mapping) {
    if (dots.done < kManualMinDots) return AlignmentFailure::TooFewCorners;
    // Two dots on one spot leave no fit to grade.
    if (dots.HasClosePair(kSameSpotDistance)) return AlignmentFailure::Unknown;
    CornerBuffer corners = dots.Corners();
    mapping.SetMinCorners(kManualMinDots);
    // The lens for nine points (no p2) is the one fitted, graded and then tracked with.
    mapping.SelectOffsetPairByPointCount(static_cast<int>(kDotOrder.size()));
    // Only nine of the board's slots are used; the other 26 do not count as lost.
    mapping.SetManualAlignment(true);
    const bool fitted =
        mapping.EvaluateChessboard(corners, corners.count) == FitResult::Fitted;
    mapping.SetManualAlignment(false);
    if (fitted) return std::nullopt;
    return mapping.Failure();
}

StepResult ManualAlignmentRun::FinishStep() {
    const std::optional<AlignmentFailure> failure = FitManualDots(dots_, mapping_);
    if (!failure) return StepResult::Succeeded;
    services_.ReportFailure(*failure);
    return StepResult::Failed;
}

StepResult ManualAlignmentRun::HotSpotStep() {
    cv::Point2f spot;
    if (FindSpot(spot)) {
        Ask(IDS_MANUAL_HOT_SPOT_FOUND);
    } else if (++hotSpotCheckFrames_ >= kHotSpotCheckFrames) {
        Ask(IDS_MANUAL_NO_HOT_SPOT);
    }
    return StepResult::KeepGoing;
}

void ManualAlignmentRun::Ask(int messageId) {
    question_ = messageId;
    services_.AskUser();
}
