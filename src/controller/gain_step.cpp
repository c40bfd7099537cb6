// The Controller's side of gain finding: the tracking area, the main window and its wait cursor
// around the run, and the run's verdict kept for the pictures and the message.
#include "controller/controller.h"

#include <algorithm>


const ImagingParameters& Controller::TrackGainRow() const {
    return records_.coreParameters.findThreshold[std::clamp(trackGainLevel_, 1, kPresetRows - 1)];
}

void Controller::StartFindGain() {
    modes_.ChangeMode(Mode::FindGain);
    const CoverageRing ring = ChooseTrackingArea();
    records_.hotSpot = HotSpotRecord();
    status_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    status_.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // The frames are not looked at while the main window is minimised (tracking minimises it).
    HWND main = mainWindow_;
    if (IsIconic(main) || !IsWindowVisible(main)) ShowWindow(main, SW_SHOWMAXIMIZED);
    SetWaitCursor(true);
    ShowGainOverlay();
    gainRun_.Start(ring, status_.screenWidth, status_.screenHeight);
}

CoverageRing Controller::ChooseTrackingArea() {
    const TrackingParameters& tracking = records_.coreParameters.tracking;
    const bool watchLight = tracking.spyVariance >= 1 && tracking.spyInterval >= 1;
    const TrackingArea area = BuildTrackingArea(model_.camera, model_.geometry, watchLight);
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
    records_.hotSpot = gainRun_.Verdict().hotSpot;
    handOff_.pendingMessage = gainRun_.Verdict().messageId;
    return result;
}
