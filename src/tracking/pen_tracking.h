#pragma once
// The whole tracking step of one frame: find the pen's spot, watch the room's light, and turn
// the spot into pointer events.
#include "tracking/pen_gesture.h"
#include "tracking/spot_tracker.h"
#include "tracking/spy_watch.h"

enum class TrackOutcome { kSpot, kNoSpot, kLightChange };

class PenTracking {
public:
    void SetSize(int width, int height) { spots_.SetSize(width, height); }
    // Spy points are chosen with the tracking area, when gain finding starts.
    void ChooseSpyPoints(const POINT* points, int count, int variance, int interval) {
        spies_.Configure(points, count, variance, interval);
    }
    // Tracking starts with no spot, the button up and the spies' references from the first frame.
    void Start(int channel, int screenWidth, int screenHeight) {
        spots_.Start(channel);
        spies_.Restart();
        pen_.Start(screenWidth, screenHeight);
    }

    // On a light change nothing is sent: the button is left as it is until gain finding is over.
    template <typename Pointer>
    TrackOutcome Step(FrameImages& images, const SpotParameters& parameters,
                      const SensorToDesktopFunction& toDesktop, Pointer& pointer) {
        const bool found = spots_.TrackFrame(images, parameters, toDesktop);
        if (SpyWatch::IsLightChange(spies_.Check(images.frame, spots_.Channel()))) {
            pen_.LightChanged();
            return TrackOutcome::kLightChange;
        }
        if (!found) {
            pen_.SpotLost(pointer);
            return TrackOutcome::kNoSpot;
        }
        pen_.SpotFound(spots_.DesktopPoint(), pointer);
        return TrackOutcome::kSpot;
    }

    SpotTracker& Spots() { return spots_; }
    const SpyWatch& Spies() const { return spies_; }
    const PenGesture& Pen() const { return pen_; }

private:
    SpotTracker spots_;
    SpyWatch spies_;
    PenGesture pen_;
};
