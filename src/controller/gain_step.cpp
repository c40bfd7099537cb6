// Gain finding: the sensor is set to the track gain level's imaging row, the brightest value of
// every screen pixel is recorded over a run of frames and becomes the threshold a pen must beat.
#include "controller/controller.h"

#include <algorithm>

#include "tracking/gain_evaluation.h"

namespace {

enum GainStep : int {
    kSetGain = 1,
    kClearRecord = 2,
    kRecord = 3,
    kGainFound = 5,
};

}  // namespace

const ImagingParameters& Controller::TrackGainRow() const {
    return coreParameters_.findThreshold[std::clamp(trackGainLevel_, 1, kPresetRows - 1)];
}

void Controller::StartFindGain() {
    modes_.ChangeMode(Mode::FindGain);
    ChooseTrackingArea();
    hotSpot_ = HotSpotRecord();
    gainSettlePhase_ = 0;
    screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
    // The frames are not looked at while the main window is minimised (tracking minimises it).
    HWND main = mainWindow_;
    if (IsIconic(main) || !IsWindowVisible(main)) ShowWindow(main, SW_SHOWMAXIMIZED);
    SetWaitCursor(true);
    ShowGainOverlay();
    modes_.gainFindingStep = kSetGain;
}

void Controller::ChooseTrackingArea() {
    const TrackingParameters& tracking = coreParameters_.tracking;
    const bool watchLight = tracking.spyVariance >= 1 && tracking.spyInterval >= 1;
    const TrackingArea area = BuildTrackingArea(camera_, geometry_, watchLight);
    coverageRing_ = area.ring;
    frameImages_.detectionArea = {area.bounds.left, area.bounds.top,
                                  area.bounds.right - area.bounds.left,
                                  area.bounds.bottom - area.bounds.top};
    tracking_.ChooseSpyPoints(area.spyPoints.data(), area.spyPointCount, tracking.spyVariance,
                              tracking.spyInterval);
}

StepResult Controller::FindGainStep() {
    HWND main = mainWindow_;
    if (IsIconic(main) || !IsWindowVisible(main)) return StepResult::KeepGoing;
    switch (modes_.gainFindingStep) {
    case kSetGain:
        return SkipSettlingFrame() ? StepResult::KeepGoing : SetGainStep();
    case kClearRecord:
        if (SkipSettlingFrame()) return StepResult::KeepGoing;
        brightness_.Begin(frameImages_.channelPlane);
        modes_.gainFindingStep = kRecord;
        return StepResult::KeepGoing;
    case kRecord:
        if (!brightness_.Record(frameImages_.frame, frameImages_.channelPlane,
                                TrackGainRow().channel, frameImages_.detectionArea))
            return StepResult::KeepGoing;
        return EvaluateRecordedBrightness();
    default:
        return StepResult::KeepGoing;
    }
}

StepResult Controller::SetGainStep() {
    // First the gain goes to its minimum, then the whole row is applied; each settles.
    SensorProperties& properties = sensor_.Properties();
    if (gainSettlePhase_ == 0) {
        properties.SetGain(properties.GainMinimum());
        gainSettlePhase_ = 1;
    } else {
        modes_.gainFindingStep = kClearRecord;
        properties.ApplyImaging(TrackGainRow());
        gainSettlePhase_ = 0;
    }
    StartSettleWait();
    return StepResult::KeepGoing;
}

StepResult Controller::EvaluateRecordedBrightness() {
    const GainSettings settings{TrackGainRow().thresGap,
                                coreParameters_.tracking.hotSpotRatioPercent, screenWidth_,
                                screenHeight_};
    const GainVerdict verdict =
        EvaluateGain(frameImages_, coverageRing_, settings, hotPixelMapping_);
    SetWaitCursor(false);
    hotSpot_ = verdict.hotSpot;
    pendingMessage_ = verdict.messageId;
    if (!verdict.found) return StepResult::Failed;
    modes_.gainFindingStep = kGainFound;
    return StepResult::Succeeded;
}
