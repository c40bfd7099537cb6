#pragma once
// Tracking: every frame's pen spot becomes at most one pointer action, and a few spy points
// beside the screen watch for the room's light changing under the learnt threshold.
#include "alignment/coverage_ring.h"
#include "controller/mode.h"
#include "controller/pointer_input.h"
#include "imaging/frame_images.h"
#include "settings/core_parameter_record.h"
#include "tracking/pen_tracking.h"
#include "tracking/sensor_to_desktop.h"

class TrackRun {
public:
    // `toDesktop` maps a sensor point to where the pointer goes; built once, so that the frame
    // thread never builds a mapping object per frame.
    TrackRun(PointerInput& pointer, SensorToDesktopFunction toDesktop);

    // No spot and the button up, on frames of the given size, in the track gain row's channel;
    // the spies take their references from the first frame.
    void Start(const TrackingParameters& parameters, int channel, int frameWidth, int frameHeight,
               int screenWidth, int screenHeight);
    // Failed once the room's light changed (the threshold no longer fits), else KeepGoing.
    StepResult Step(FrameImages& images);

    // Chosen when gain finding starts, from the current alignment: the detection area (set in
    // `images`) and, when the light is watched, the spy points. Returns the screen ring.
    CoverageRing ChooseArea(const CameraModel& camera, const DisplayGeometry& geometry,
                            const TrackingParameters& parameters, FrameImages& images);
    // The blocking alarm is chosen before a run starts.
    PenTracking& Tracking() { return tracking_; }
    const SensorToDesktopFunction& ToDesktop() const { return toDesktop_; }

private:
    PointerInput& pointer_;
    const SensorToDesktopFunction toDesktop_;
    PenTracking tracking_;
    SpotParameters spotParameters_;
};
