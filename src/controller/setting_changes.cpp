// What a changed track gain level or display aspect means for the running Mode.
#include "controller/controller.h"

#include "base/notifications.h"
#include "ui/settings_dialogs.h"
#include "ui/messages.h"

void Controller::OnGainSettingChanged() {
    const int before = trackGainLevel_;
    ShowGainLevelDialog(mainWindow_, options_);
    // The steps read their imaging rows by these levels.
    const bool wasHeld = HoldFrames();
    gainLevel_ = options_.gainLevel;
    trackGainLevel_ = options_.trackGainLevel;
    ResumeFrames(wasHeld);
    if (modes_.mode != Mode::Track || trackGainLevel_ == before) return;
    // The threshold was learnt at the old gain: find it again before tracking on.
    ShowWithFramesHeld(&ShowTrackGainChanged);
    tuningPanel_.Reset(screenCorrection_);
    RequestMode(Mode::FindGain);
}

void Controller::OnAspectSettingChanged() {
    if (!ShowDisplayAspectDialog(mainWindow_, displayAspect_)) return;
    const bool wasHeld = HoldFrames();
    alignmentResult_.displayAspectWidth = displayAspect_.width;
    alignmentResult_.displayAspectHeight = displayAspect_.height;
    geometry_.SetAspect(displayAspect_.width, displayAspect_.height);
    WriteAlignmentResult(alignmentResult_);
    ResumeFrames(wasHeld);
    if (modes_.mode != Mode::Track) return;
    ShowWithFramesHeld(&ShowAspectChanged);
    RequestMode(Mode::AutoAlignment);
}
