// A sample may bring another frame layout while the sensor streams. The planes are made again
// on the UI thread, where Mode changes use them too, with the frames held until then; what was
// learnt from the old layout (the threshold, the detection area, an alignment's pictures) is
// learnt again.
#include "controller/controller.h"

#include "base/notifications.h"

void Controller::ChangeFormat(const BITMAPINFOHEADER& format) {
    pendingFormat_.Announce(format);
    PostMessageW(mainWindow_, kAppNotifyMessage, NotifyFormatChanged, 0);
}

void Controller::OnFormatChanged() {
    if (!pendingFormat_.Pending()) return;
    const bool wasHeld = HoldFrames();
    frameImages_.SetFormat(pendingFormat_.Format());
    pendingFormat_.Taken();
    switch (modes_.mode) {
    case Mode::FindGain:
    case Mode::Track:
        EnterMode(modes_.alignmentUsable ? Mode::FindGain : Mode::Idle);
        break;
    case Mode::AutoAlignment:
    case Mode::ManualAlignment:
        EnterMode(modes_.mode);
        break;
    default:
        ResumeFrames(wasHeld);
        break;
    }
}
