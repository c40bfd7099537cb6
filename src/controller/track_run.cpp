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

CoverageRing TrackRun::ChooseArea(const CameraModel& camera, const DisplayGeometry& geometry,
                                  const TrackingParameters& parameters, FrameImages& images) {
    const bool watchLight = parameters.spyVariance >= 1 && parameters.spyInterval >= 1;
    const TrackingArea area = BuildTrackingArea(camera, geometry, watchLight);
    images.detectionArea = {area.bounds.left, area.bounds.top, area.bounds.right - area.bounds.left,
                            area.bounds.bottom - area.bounds.top};
    tracking_.ChooseSpyPoints(area.spyPoints.data(), area.spyPointCount, parameters.spyVariance,
                              parameters.spyInterval);
    return area.ring;
}

StepResult TrackRun::Step(FrameImages& images) {
    const TrackOutcome outcome = tracking_.Step(images, spotParameters_, toDesktop_, pointer_);
    return outcome == TrackOutcome::kLightChange ? StepResult::Failed : StepResult::KeepGoing;
}
