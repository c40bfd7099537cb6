#pragma once
// One tracking frame from the sensor picture to the pen's desktop point: the tracked channel,
// the lit regions above the learnt threshold, the one spot that continues the last frame's,
// its centroid and its place on the desktop. Keeps the spot of the current and the previous
// frame; allocates nothing once the blob list has grown.
#include "settings/core_parameter_record.h"
#include "tracking/blocking_counter.h"
#include "imaging/frame_images.h"
#include "tracking/sensor_to_desktop.h"
#include "tracking/spot_detection.h"
#include "tracking/spot_finder.h"
#include "tracking/spot_record.h"

SpotParameters SpotParametersFrom(const TrackingParameters& tracking);

class SpotTracker {
public:
    // The frame size, whenever the sensor format changes.
    void SetSize(int width, int height) { finder_.SetSize(width, height); }
    // Forgets both spots and tracks the given colour channel from now on.
    void Start(int channel);

    // Finds the spot of the bound frame inside images.detectionArea; on success the current
    // record holds its desktop point and becomes the previous one. images.channelPlane is used
    // up on the way.
    bool TrackFrame(FrameImages& images, const SpotParameters& parameters,
                    const SensorToDesktopFunction& toDesktop);

    int Channel() const { return channel_; }
    const SpotRecord& Current() const { return current_; }
    const SpotRecord& Previous() const { return previous_; }
    cv::Point2f DesktopPoint() const { return {current_.desktopX, current_.desktopY}; }
    BlockingCounter& Blocking() { return blocking_; }

private:
    int channel_ = 0;
    SpotFinder finder_;
    SpotRecord current_;
    SpotRecord previous_;
    BlockingCounter blocking_;
};
