// The Controller's side of gain finding: the tracking area, the main window and its wait cursor
// around the run, and the run's verdict kept for the pictures and the message.
#include "controller/controller.h"

#include <algorithm>


const ImagingParameters& Controller::TrackGainRow() const {
    return coreParameters_.findThreshold[std::clamp(trackGainLevel_, 1, kPresetRows - 1)];
}

void Controller::StartFindGain() {
    modes_.ChangeMode(Mode::FindGain);
    const CoverageRing ring = ChooseTrackingArea();
    hotSpot_ = HotSpotRecord();
    screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
    // The frames are not looked at while the main window is minimised (tracking minimises it).
    HWND main = mainWindow_;
    if (IsIconic(main) || !IsWindowVisible(main)) ShowWindow(main, SW_SHOWMAXIMIZED);
    SetWaitCursor(true);
    ShowGainOverlay();
    gainRun_.Start(ring, screenWidth_, screenHeight_);
}

CoverageRing Controller::ChooseTrackingArea() {
    const TrackingParameters& tracking = coreParameters_.tracking;
    const bool watchLight = tracking.spyVariance >= 1 && tracking.spyInterval >= 1;
    const TrackingArea area = BuildTrackingArea(camera_, geometry_, watchLight);
    frameImages_.detectionArea = {area.bounds.left, area.bounds.top,
                                  area.bounds.right - area.bounds.left,
                                  area.bounds.bottom - area.bounds.top};
    trackRun_.Tracking().ChooseSpyPoints(area.spyPoints.data(), area.spyPointCount,
                                         tracking.spyVariance, tracking.spyInterval);
    return area.ring;
}

StepResult Controller::FindGainStep() {
    HWND main = mainWindow_;
    if (IsIconic(main) || !IsWindowVisible(main)) return StepResult::KeepGoing;
    const StepResult result = gainRun_.Step(frameImages_);
    if (result == StepResult::KeepGoing) return result;
    SetWaitCursor(false);
    hotSpot_ = gainRun_.Verdict().hotSpot;
    pendingMessage_ = gainRun_.Verdict().messageId;
    return result;
}
