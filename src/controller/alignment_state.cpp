// The Controller's alignment: geometry and lens profiles at start, re-applying a stored
// alignment, storing a new one.
#include "controller/controller.h"

#include "alignment/detector_file.h"
#include "ui/messages.h"

bool Controller::InitializeAlignment() {
    model_.geometry.SetDesktop(status_.screenWidth, status_.screenHeight);
    model_.geometry.alignedDesktopWidth = records_.alignmentResult.alignedDesktopWidth;
    model_.geometry.alignedDesktopHeight = records_.alignmentResult.alignedDesktopHeight;
    model_.geometry.SetAspect(records_.alignmentResult.displayAspectWidth, records_.alignmentResult.displayAspectHeight);

    model_.pattern.SetQuadrantStyle(records_.coreParameters.misc.findFlip != 0 ? 1 : 0);
    model_.pattern.Layout(records_.chessboardLayout, DesktopMetrics::Current(mainWindow_));

    DetectorProfile profiles[ScreenMapping::kMaxProfiles];
    int count = 0;
    if (ReadDetectorProfiles(kDetectorFileName, profiles, ScreenMapping::kMaxProfiles, count) !=
        FileResult::Ok) {
        ShowFileError(kDetectorFileName);
        return false;
    }
    model_.mapping.SetProfiles(profiles, count);
    model_.mapping.SetWeightingMode(records_.coreParameters.misc.reserve3);
    // The aspect search keeps what it settles on in the display-aspect file only.
    model_.mapping.SetAspectSaver([this](float width, float height) {
        records_.displayAspect.width = width;
        records_.displayAspect.height = height;
        WriteDisplayAspect(records_.displayAspect);
    });
    LoadScreenCorrection(model_.screenCorrection, status_.screenWidth, status_.screenHeight);
    return true;
}

void Controller::TakeAspectSetting() {
    model_.mapping.SetAspectDetection(records_.displayAspect.autoDetect != 0);
    if (!records_.displayAspect.autoDetect) model_.geometry.SetAspect(records_.displayAspect.width, records_.displayAspect.height);
}

StepResult Controller::RestoreAlignment() {
    if (!model_.mapping.SelectProfile(records_.alignmentResult.profileIndex)) return StepResult::Failed;
    return model_.mapping.RestoreAlignment(records_.alignmentResult) == FitResult::Fitted
               ? StepResult::Succeeded
               : StepResult::Failed;
}

void Controller::StoreAlignment() {
    model_.mapping.StoreAlignment(records_.alignmentResult);
    WriteAlignmentResult(records_.alignmentResult);
}
