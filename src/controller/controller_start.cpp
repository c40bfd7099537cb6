#include "controller/controller.h"

#include "ui/messages.h"

bool Controller::StartSensor() {
    if (sensor_.Start(mainWindow_, this, kSensorWidth, kSensorHeight) == DeviceResult::Failed) {
        wchar_t text[1024];
        sensor_.LastMessage(text, sizeof text / sizeof text[0]);
        ShowSystemErrorText(text);
        return false;
    }
    // Frames may already be arriving.
    const bool wasHeld = HoldFrames();
    modes_.ChangeMode(Mode::Initializing);
    ResumeFrames(wasHeld);
    return true;
}

void Controller::Start() {
    MeasureStatusRect();
    paused_ = true;
    if (!options_.dontShowIntroduction) {
        Repaint();
        RunIntroduction();
    }
    if (!options_.dontAskGainLevel) {
        Repaint();
        OnGainSettingChanged();
    }
    modes_.gainFound = 0;
    modes_.ChangeMode(Mode::Initialized);
    modes_.alignmentUsable = IsUsableGrade(alignmentResult_.accuracy.grade) ? 1 : 0;
    gainLevel_ = options_.gainLevel;
    trackGainLevel_ = options_.trackGainLevel;
    mouseSaver_.Snapshot();
    if (modes_.alignmentUsable && options_.skipAlignmentWhenAligned &&
        RestoreAlignment() == StepResult::Succeeded) {
        EnterMode(Mode::FindGain);
        return;
    }
    EnterMode(Mode::AutoAlignment);
}
