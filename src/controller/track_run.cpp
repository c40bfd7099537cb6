#include "controller/track_run.h"

#include <utility>

TrackRun::TrackRun(PointerInput& pointer, SensorToDesktopFunction toDesktop)
    : pointer_(pointer), toDesktop_(std::move(toDesktop)) {}

void TrackRun::Start(const TrackingParameters& parameters, int channel, int frameWidth,
                     int frameHeight, int screenWidth, int screenHeight) {
    spotParameters_ = SpotParametersFrom(parameters);
    tracking_.SetSize(frameWidth, frameHeight);
    tracking_.Start(channel, screenWidth, screenHeight);
}

StepResult TrackRun::Step(FrameImages& images) {
    const TrackOutcome outcome = tracking_.Step(images, spotParameters_, toDesktop_, pointer_);
    return outcome == TrackOutcome::kLightChange ? StepResult::Failed : StepResult::KeepGoing;
}
