#include "tracking/gain_evaluation.h"

#include <cmath>

#include "resources/resource_ids.h"
#include "tracking/threshold_building.h"

GainVerdict EvaluateGain(FrameImages& images, const CoverageRing& ring,
                         const GainSettings& settings, const SensorToDesktopFunction& toDesktop) {
    images.channelPlane.copyTo(images.backgroundPlane);
    DilateBrightness(images.channelPlane);
    ApplyScreenMask(images, ring);
    GainVerdict verdict;
    const int hot = images.BuildThreshold(images.channelPlane, settings.gap, kThresholdLimit);
    if (hot != 0) {
        verdict.hotSpot = CollectHotSpots(images.thresholdImage, images.detectionArea, toDesktop,
                                          settings.screenWidth, settings.screenHeight);
    }
    if (verdict.hotSpot.count == 0) {
        verdict.found = true;
        return verdict;
    }
    const float screenArea = QuadArea(ring[0], ring[4], ring[8], ring[12]);
    if (!std::isfinite(screenArea) || screenArea <= 0.0f) {
        verdict.messageId = IDS_TOO_MANY_HOT_SPOTS;
        return verdict;
    }
    verdict.hotSpot.share = static_cast<float>(verdict.hotSpot.count) / screenArea;
    if (static_cast<float>(settings.hotSpotRatioPercent) * 0.01f < verdict.hotSpot.share) {
        verdict.messageId = IDS_TOO_MANY_HOT_SPOTS;
        return verdict;
    }
    verdict.found = true;
    verdict.messageId = IDS_SMALL_HOT_SPOT;
    return verdict;
}
