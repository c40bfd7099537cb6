#include "controller/controller.h"

#include "app/process_globals.h"
#include "controller/notifications.h"

namespace {

// How long the UI thread lets a frame's work finish after pausing it.
constexpr int kFrameStepWaitMs = 250;

}  // namespace

void Controller::PrepareFrame(const BITMAPINFOHEADER& format) {
    frameImages_.SetFormat(format);
}

void Controller::OnFrame(const BYTE* buffer) {
    frameThreadId_ = GetCurrentThreadId();
    ReactToFrameRate(frameRate_.Tick());
    // Announce the work before looking at the flags; the UI thread sets a flag before it
    // looks at this, so one of the two always sees the other.
    stepRunning_ = true;
    if (painting_ || paused_ || formatPending_ || !buffer) {
        stepRunning_ = false;
        ++framesSkipped_;
        return;
    }
    frameImages_.Bind(buffer);
    const Mode mode = modes_.mode;
    const int result = RunModeStep(mode);
    frameImages_.Bind(nullptr);
    ++framesProcessed_;
    if (result != StepKeepGoing) EndStep(mode, result);
    stepRunning_ = false;
}

int Controller::RunModeStep(Mode mode) {
    try {
        switch (mode) {
        case Mode::Initializing:
            OnFirstFrame();
            return StepKeepGoing;
        case Mode::AutoAlignment:
            return AutoAlignmentStep();
        case Mode::ManualAlignment:
            return ManualAlignmentStep();
        case Mode::FindGain:
            return FindGainStep();
        case Mode::Track:
            return TrackStep();
        default:
            return StepKeepGoing;
        }
    } catch (...) {
        // A step that throws (OpenCV reports errors so) has failed; the frame thread goes on.
        return mode == Mode::Initializing ? StepKeepGoing : StepFailed;
    }
}

void Controller::ReactToFrameRate(int verdict) {
    if (verdict == FrameRateMonitor::kNoVerdict || modes_.mode != Mode::Track) return;
    // The balloon is the tray icon's business, which belongs to the UI thread.
    if (verdict == FrameRateMonitor::kSlow) {
        PostMessageW(g_process.mainWindow, kAppNotifyMessage, NotifySlowSensor, 0);
    }
    if (shownFrameRate_.exchange(verdict) != verdict) InvalidateRect(g_process.mainWindow, nullptr, FALSE);
}

void Controller::OnFirstFrame() {
    sensor_.Properties().ApplySensorInit(coreParameters_.sensorInit);
    settleFrames_ = 0;
    settleTimerRunning_ = false;
    settleDeadline_ = 0;
    modes_.alignmentUsable = 0;
    modes_.gainFound = 0;
    modes_.ChangeMode(Mode::Starting);
    paused_ = true;
    PostMessageW(g_process.mainWindow, kAppNotifyMessage, NotifyModeRequest,
                 static_cast<LPARAM>(Mode::Initialized));
}

void Controller::EndStep(Mode mode, int result) {
    // Whatever comes next (a message, a question, another Mode) is done by the UI thread.
    paused_ = true;
    endedResult_ = result;
    endedMode_ = mode;
    PostMessageW(g_process.mainWindow, kAppNotifyMessage, NotifyStepEnded,
                 static_cast<LPARAM>(mode));
}

void Controller::WaitForFrameStep() const {
    if (frameThreadId_ == GetCurrentThreadId()) return;
    for (int waited = 0; stepRunning_ && waited < kFrameStepWaitMs; ++waited) Sleep(1);
}

void Controller::OnTrigger(UINT message, bool) {
    if (!IsBelow(Mode::Initialized, modes_.mode)) return;
    // Only a step that takes the trigger ends its settle wait: Enter and F5 are pen buttons too.
    if (modes_.mode == Mode::AutoAlignment) {
        if (modes_.autoAlignmentStep == 1 && message == WM_LBUTTONDOWN) {
            StopSettleWait();
            AutoAlignmentTrigger(message);
        }
    } else if (modes_.mode == Mode::ManualAlignment) {
        const int step = modes_.manualAlignmentStep;
        if ((step == 1 || step == 5) && message == WM_LBUTTONDOWN) {
            StopSettleWait();
            ManualAlignmentTrigger(message);
        }
    }
}
