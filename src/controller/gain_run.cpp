#include "controller/gain_run.h"

#include <utility>

GainRun::GainRun(SensorProperties& sensor, SettleWait& settle,
                 const CoreParameterRecord& parameters, RowSource trackRow,
                 SensorToDesktopFunction toDesktop)
    : sensor_(sensor),
      settle_(settle),
      parameters_(parameters),
      trackRow_(std::move(trackRow)),
      toDesktop_(std::move(toDesktop)) {}

void GainRun::Start(const CoverageRing& ring, int screenWidth, int screenHeight) {
    ring_ = ring;
    screenWidth_ = screenWidth;
    screenHeight_ = screenHeight;
    gainAtMinimum_ = false;
    verdict_ = GainVerdict();
    phase_ = Phase::SetGain;
}

StepResult GainRun::Step(FrameImages& images) {
    switch (phase_) {
    case Phase::SetGain:
        return settle_.SkipFrame() ? StepResult::KeepGoing : SetGain();
    case Phase::ClearRecord:
        if (settle_.SkipFrame()) return StepResult::KeepGoing;
        brightness_.Begin(images.channelPlane);
        phase_ = Phase::Record;
        return StepResult::KeepGoing;
    case Phase::Record:
        if (!brightness_.Record(images.frame, images.channelPlane, trackRow_().channel,
                                images.detectionArea))
            return StepResult::KeepGoing;
        return Evaluate(images);
    default:
        return StepResult::KeepGoing;
    }
}

StepResult GainRun::SetGain() {
    if (!gainAtMinimum_) {
        sensor_.SetGain(sensor_.GainMinimum());
        gainAtMinimum_ = true;
    } else {
        phase_ = Phase::ClearRecord;
        sensor_.ApplyImaging(trackRow_());
        gainAtMinimum_ = false;
    }
    settle_.Start(parameters_.findThreshold[0].range);
    return StepResult::KeepGoing;
}

StepResult GainRun::Evaluate(FrameImages& images) {
    const GainSettings settings{trackRow_().thresGap, parameters_.tracking.hotSpotRatioPercent,
                                screenWidth_, screenHeight_};
    verdict_ = EvaluateGain(images, ring_, settings, toDesktop_);
    if (!verdict_.found) return StepResult::Failed;
    phase_ = Phase::Found;
    return StepResult::Succeeded;
}
