// The Controller's alignment: geometry and lens profiles at start, re-applying a stored
// alignment, storing a new one.
#include "controller/controller.h"

#include "alignment/detector_file.h"
#include "ui/messages.h"

bool Controller::InitializeAlignment() {
    geometry_.SetDesktop(screenWidth_, screenHeight_);
    geometry_.alignedDesktopWidth = alignmentResult_.alignedDesktopWidth;
    geometry_.alignedDesktopHeight = alignmentResult_.alignedDesktopHeight;
    geometry_.SetAspect(alignmentResult_.displayAspectWidth, alignmentResult_.displayAspectHeight);

    pattern_.SetQuadrantStyle(coreParameters_.misc.findFlip != 0 ? 1 : 0);
    pattern_.Layout(chessboardLayout_, DesktopMetrics::Current(mainWindow_));

    DetectorProfile profiles[ScreenMapping::kMaxProfiles];
    int count = 0;
    if (ReadDetectorProfiles(kDetectorFileName, profiles, ScreenMapping::kMaxProfiles, count) !=
        FileResult::Ok) {
        ShowFileError(kDetectorFileName);
        return false;
    }
    mapping_.SetProfiles(profiles, count);
    mapping_.SetWeightingMode(coreParameters_.misc.reserve3);
    // The aspect search keeps what it settles on in the display-aspect file only.
    mapping_.SetAspectSaver([this](float width, float height) {
        displayAspect_.width = width;
        displayAspect_.height = height;
        WriteDisplayAspect(displayAspect_);
    });
    LoadScreenCorrection(screenCorrection_, screenWidth_, screenHeight_);
    return true;
}

void Controller::TakeAspectSetting() {
    mapping_.SetAspectDetection(displayAspect_.autoDetect != 0);
    if (!displayAspect_.autoDetect) geometry_.SetAspect(displayAspect_.width, displayAspect_.height);
}

StepResult Controller::RestoreAlignment() {
    if (!mapping_.SelectProfile(alignmentResult_.profileIndex)) return StepResult::Failed;
    return mapping_.RestoreAlignment(alignmentResult_) == ScreenMapping::kStepSuccess
               ? StepResult::Succeeded
               : StepResult::Failed;
}

void Controller::StoreAlignment() {
    mapping_.StoreAlignment(alignmentResult_);
    WriteAlignmentResult(alignmentResult_);
}
