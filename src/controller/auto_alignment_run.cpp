// Auto alignment: the start of a run, the trigger and the per-frame dispatch over its steps.
#include "controller/auto_alignment_run.h"

#include <opencv2/imgproc.hpp>

#include "imaging/plane_operations.h"

namespace {

// A tenth of the frame width is left out on every side until the lit screen is found.
PixelRect StartingDetectionArea(int width, int height) {
    const int margin = width / 10;
    return {margin, margin, width - 2 * margin, height - 2 * margin};
}

}  // namespace

void AutoAlignmentRun::Start() {
    step_ = 1;
    images_.TakeSnapshots();
    FillPlane(images_.channelPlane, 255);
    images_.detectionArea = StartingDetectionArea(images_.Width(), images_.Height());
    pattern_.SetKind(kPatternChessboard);

    state_ = AutoAlignmentState{};
    state_.channel = services_.AlignmentRow().channel;
    failure_ = AlignmentFailure::Unknown;
    mapping_.SetMinCorners(state_.minCorners);
    mapping_.SetManualAlignment(false);
    mapping_.SelectOffsetPairByPointCount(kBoardCorners);
    services_.SettleOn(parameters_.alignment[0]);
}

void AutoAlignmentRun::Trigger() {
    step_ = 2;
    state_.previewReady = false;
    ShowPattern(kPatternWhite);
    const ImagingParameters& row = services_.AlignmentRow();
    services_.SettleOn(row);
    state_.whiteExposure.Start(row.exposureTime,
                               sensor_.CameraControl(SensorProperties::kExposure).minimum);
}

StepResult AutoAlignmentRun::Step() {
    if (images_.frame.empty()) return StepResult::KeepGoing;
    if (step_ == 1) {
        CapturePreview(nullptr);
        return StepResult::KeepGoing;
    }
    if (services_.SettlingFrame()) return StepResult::KeepGoing;
    switch (step_) {
    case 2:
        return ScreenAreaStep();
    case 3:
        return BrightnessStep();
    case 4:
        ShowPattern(kPatternWhite);
        state_.retryCount = 0;
        step_ = 5;
        services_.ShortSettle();
        return StepResult::KeepGoing;
    case 5:
        return ReferencesStep();
    case 6:
        return OrientationStep();
    case 7:
        return CornerByCornerStep();
    default:
        return StepResult::KeepGoing;
    }
}

void AutoAlignmentRun::ShowPattern(int kind, int level) {
    pattern_.SetKind(kind, level);
    services_.PatternChanged();
}

DetectionImages AutoAlignmentRun::Images() {
    return {images_.frame,        state_.channel,       images_.detectionArea,
            images_.snapshots[0], images_.snapshots[1], images_.channelPlane,
            images_.workPlane};
}

void AutoAlignmentRun::CapturePreview(const CornerBuffer* corners) {
    cv::Mat& preview = images_.snapshots[2];
    if (preview.empty()) return;
    images_.frame.copyTo(preview);
    MarkRect(preview, images_.detectionArea, cv::Scalar(0, 255, 255), 1, true);
    if (corners) {
        for (int i = 0; i < corners->count && i < CornerBuffer::kCapacity; ++i) {
            cv::circle(preview, corners->points[i], 2, cv::Scalar(0, 0, 255), 1);
        }
    }
    state_.previewReady = true;
    services_.PreviewChanged();
}

StepResult AutoAlignmentRun::EvaluateBoard(CornerBuffer& corners, int reportedCount) {
    if (mapping_.EvaluateChessboard(corners, reportedCount) == FitResult::Fitted) {
        return StepResult::Succeeded;
    }
    return Fail(mapping_.Failure());
}

StepResult AutoAlignmentRun::Fail(AlignmentFailure failure) {
    failure_ = failure;
    return StepResult::Failed;
}
