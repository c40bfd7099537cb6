#include "tracking/spot_tracker.h"

#include "imaging/frame_operations.h"

SpotParameters SpotParametersFrom(const TrackingParameters& tracking) {
    SpotParameters parameters;
    parameters.dilateCount = tracking.dilateCount;
    parameters.spotMaxBand = tracking.spotMaxBand;
    parameters.noiseThres = tracking.noiseThres;
    parameters.noiseRatio = tracking.noiseRatio;
    parameters.maxAveNoise = tracking.maxAveNoise;
    return parameters;
}

void SpotTracker::Start(int channel) {
    channel_ = channel;
    current_.Reset();
    previous_.Reset();
}

bool SpotTracker::TrackFrame(FrameImages& images, const SpotParameters& parameters,
                             const SensorToDesktopFunction& toDesktop) {
    ExtractChannel(images.frame, images.channelPlane, channel_, images.detectionArea);
    current_.blobCount =
        finder_.Find(images.channelPlane, images.detectionArea, images.thresholdImage);
    // Nothing lit: this is the screen the pen will be seen against. What gain finding learnt is
    // what the screen showed then, often not what it shows now.
    if (current_.blobCount == 0)
        ExtractChannel(images.frame, images.backgroundPlane, channel_, images.detectionArea);
    const SpotView view{images.frame, images.thresholdImage, channel_, images.detectionArea};
    if (!DetectSpot(finder_, view, parameters, previous_, current_, blocking_)) {
        // The last spot's place stays, so a spot that comes back nearby is taken as the same.
        previous_.blobCount = current_.blobCount;
        previous_.desktopX = -1.0f;
        previous_.desktopY = -1.0f;
        return false;
    }
    if (!MeasureSpot(images.frame, images.backgroundPlane, channel_, parameters.maxAveNoise,
                     current_)) {
        blocking_.ReportBlocking(+1);
        return false;
    }
    blocking_.ReportBlocking(-1);
    const cv::Point2f desktop = toDesktop(current_.centroidX, current_.centroidY);
    current_.desktopX = desktop.x;
    current_.desktopY = desktop.y;
    previous_ = current_;
    return true;
}
