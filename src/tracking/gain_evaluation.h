#pragma once
// The end of gain finding: from the recorded screen brightness to the threshold image, the
// hot-spot record and the verdict whether the chosen gain level can track.
#include "imaging/frame_images.h"
#include "imaging/point_ring.h"
#include "tracking/hot_spots.h"

struct GainSettings {
    int gap = 0;                   // "Thres Gap" of the track gain level's row
    int hotSpotRatioPercent = 10;  // largest share of the screen hot spots may cover
    int screenWidth = 0;
    int screenHeight = 0;
};

struct GainVerdict {
    bool found = false;
    // IDS_TOO_MANY_HOT_SPOTS on failure, IDS_SMALL_HOT_SPOT when found beside a hot spot,
    // else 0.
    int messageId = 0;
    HotSpotRecord hotSpot;
};

// The threshold limit: a screen pixel this bright (with the gap) can never be told from a pen.
inline constexpr int kThresholdLimit = 240;

// images.channelPlane holds the recorded brightness (it is dilated in place; backgroundPlane
// keeps it as recorded); thresholdImage and maskPlane are rebuilt. The ring bounds the screen: its corners P0, P4, P8, P12 give the
// screen area that hot spots are measured against. A ring without area while hot spots exist
// fails, since their share cannot be told.
GainVerdict EvaluateGain(FrameImages& images, const CoverageRing& ring,
                         const GainSettings& settings, const SensorToDesktopFunction& toDesktop);
