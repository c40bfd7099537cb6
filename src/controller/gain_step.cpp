// The Controller's side of gain finding: the tracking area, the main window and its wait cursor
// around the run, and the run's verdict kept for the pictures and the message.
#include "controller/controller.h"

#include <algorithm>


const ImagingParameters& Controller::TrackGainRow() const {
    return records_.coreParameters.findThreshold[std::clamp(trackGainLevel_, 1, kPresetRows - 1)];
}

void Controller::StartFindGain() {
    modes_.ChangeMode(Mode::FindGain);
    const CoverageRing ring = trackRun_.ChooseArea(model_.camera, model_.geometry,
                                                   records_.coreParameters.tracking, frameImages_);
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
