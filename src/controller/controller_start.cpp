#include "controller/controller.h"

#include "ui/messages.h"

bool Controller::StartSensor() {
    if (sensor_.device.Start(mainWindow_, this, kSensorWidth, kSensorHeight) == DeviceResult::Failed) {
        wchar_t text[1024];
        sensor_.device.LastMessage(text, sizeof text / sizeof text[0]);
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
    handOff_.paused = true;
    if (!records_.options.dontShowIntroduction) {
        Repaint();
        RunIntroduction();
    }
    if (!records_.options.dontAskGainLevel) {
        Repaint();
        OnGainSettingChanged();
    }
    modes_.gainFound = 0;
    modes_.ChangeMode(Mode::Initialized);
    modes_.alignmentUsable = IsUsableGrade(records_.alignmentResult.accuracy.grade) ? 1 : 0;
    gainLevel_ = records_.options.gainLevel;
    trackGainLevel_ = records_.options.trackGainLevel;
    pointer_.mouseSaver.Snapshot();
    if (modes_.alignmentUsable && records_.options.skipAlignmentWhenAligned &&
        RestoreAlignment() == StepResult::Succeeded) {
        EnterMode(Mode::FindGain);
        return;
    }
    EnterMode(Mode::AutoAlignment);
}
