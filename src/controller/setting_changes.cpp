// What a changed track gain level or display aspect means for the running Mode.
#include "controller/controller.h"

#include "base/notifications.h"
#include "ui/settings_dialogs.h"
#include "ui/messages.h"

void Controller::OnGainSettingChanged() {
    const int before = trackGainLevel_;
    ShowGainLevelDialog(mainWindow_, records_.options);
    // The steps read their imaging rows by these levels.
    const bool wasHeld = HoldFrames();
    gainLevel_ = records_.options.gainLevel;
    trackGainLevel_ = records_.options.trackGainLevel;
    ResumeFrames(wasHeld);
    if (modes_.mode != Mode::Track || trackGainLevel_ == before) return;
    // The threshold was learnt at the old gain: find it again before tracking on.
    ShowWithFramesHeld(&ShowTrackGainChanged);
    tuningPanel_.Reset(model_.screenCorrection);
    RequestMode(Mode::FindGain);
}

void Controller::OnAspectSettingChanged() {
    if (!ShowDisplayAspectDialog(mainWindow_, records_.displayAspect)) return;
    const bool wasHeld = HoldFrames();
    records_.alignmentResult.displayAspectWidth = records_.displayAspect.width;
    records_.alignmentResult.displayAspectHeight = records_.displayAspect.height;
    model_.geometry.SetAspect(records_.displayAspect.width, records_.displayAspect.height);
    WriteAlignmentResult(records_.alignmentResult);
    ResumeFrames(wasHeld);
    if (modes_.mode != Mode::Track) return;
    ShowWithFramesHeld(&ShowAspectChanged);
    RequestMode(Mode::AutoAlignment);
}
