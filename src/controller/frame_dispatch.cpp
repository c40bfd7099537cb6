#include "controller/controller.h"

#include "base/notifications.h"

void Controller::PrepareFrame(const BITMAPINFOHEADER& format) {
    frameImages_.SetFormat(format);
}

void Controller::OnFrame(const BYTE* buffer) {
    // The UI thread holds the lock only for the moment it takes the work over; this frame
    // gives way to it rather than wait.
    const std::unique_lock<std::mutex> step = handOff_.TryStep();
    if (!step.owns_lock()) return;
    ReactToFrameRate(sensor_.frameRate.Tick());
    if (handOff_.painting || handOff_.paused || pendingFormat_.Pending() || !buffer) return;
    frameImages_.Bind(buffer);
    const Mode mode = modes_.mode;
    const StepResult result = RunModeStep(mode);
    frameImages_.Bind(nullptr);
    if (result != StepResult::KeepGoing) EndStep(mode, result);
}

StepResult Controller::RunModeStep(Mode mode) {
    switch (mode) {
    case Mode::Initializing:
        // A first frame that throws is simply tried again.
        try {
            OnFirstFrame();
        } catch (...) {
        }
        return StepResult::KeepGoing;
    case Mode::AutoAlignment:
        return handOff_.Run([this] { return AutoAlignmentStep(); });
    case Mode::ManualAlignment:
        return handOff_.Run([this] { return manualRun_.Step(); });
    case Mode::FindGain:
        return handOff_.Run([this] { return FindGainStep(); });
    case Mode::Track:
        return handOff_.Run([this] { return TrackStep(); });
    default:
        return StepResult::KeepGoing;
    }
}

void Controller::ReactToFrameRate(int verdict) {
    if (verdict == FrameRateMonitor::kNoVerdict || modes_.mode != Mode::Track) return;
    // The balloon is the tray icon's business, which belongs to the UI thread.
    if (verdict == FrameRateMonitor::kSlow) {
        PostMessageW(mainWindow_, kAppNotifyMessage, NotifySlowSensor, 0);
    }
    if (sensor_.shownFrameRate.exchange(verdict) != verdict) InvalidateRect(mainWindow_, nullptr, FALSE);
}

void Controller::OnFirstFrame() {
    sensor_.device.Properties().ApplySensorInit(records_.coreParameters.sensorInit);
    settleWait_.CountFrames(0);
    modes_.alignmentUsable = 0;
    modes_.gainFound = 0;
    modes_.ChangeMode(Mode::Starting);
    handOff_.paused = true;
    RequestMode(Mode::Initialized);
}

void Controller::EndStep(Mode mode, StepResult result) {
    // Whatever comes next (a message, a question, another Mode) is done by the UI thread.
    handOff_.End(mode, result);
    PostMessageW(mainWindow_, kAppNotifyMessage, NotifyStepEnded,
                 static_cast<LPARAM>(mode));
}

void Controller::OnTrigger(UINT message, bool) {
    // Only a press triggers, and only the alignments; Enter and F5 are pen buttons too.
    if (message != WM_LBUTTONDOWN) return;
    if (modes_.mode == Mode::AutoAlignment) {
        AutoAlignmentTrigger(message);
    } else if (modes_.mode == Mode::ManualAlignment) {
        ManualAlignmentTrigger(message);
    }
}
