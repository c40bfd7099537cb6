#pragma once
// The hand-off between the frame thread and the UI thread. Each frame's step runs holding the
// step lock, which the frame thread only tries (a frame that finds it taken is skipped, so no
// window can hold the sensor up). Before the UI thread touches anything a step uses it sets
// `paused` or `painting` and takes that lock once, which waits out a running step however long
// it takes. An ended step leaves its Mode, result and message here for the UI thread.
#include "controller/mode.h"
#include "resources/resource_ids.h"

#include <atomic>
#include <mutex>

struct StepHandOff {
    // On the frame thread: owns the lock when a step may run now.
    std::unique_lock<std::mutex> TryStep() { return std::unique_lock<std::mutex>(stepLock, std::try_to_lock); }
    // On the UI thread, after setting `paused` or `painting`: returns once no step runs.
    void WaitForStep() { const std::lock_guard<std::mutex> stepOver(stepLock); }

    // The user's pause; switching it off gives back what it was before it was switched on.
    void SetPaused(bool on) {
        if (on) {
            pausedSaved = paused;
            paused = true;
            WaitForStep();
        } else {
            paused = pausedSaved;
        }
    }
    // Stops the steps for a change made on the UI thread; returns whether they were stopped
    // already, which Resume gives back (so the two nest).
    bool Hold() {
        const bool wasHeld = paused.exchange(true);
        WaitForStep();
        return wasHeld;
    }
    void Resume(bool wasHeld) { paused = wasHeld; }
    void SetPainting(bool on) {
        painting = on;
        if (on) WaitForStep();
    }
    // On the frame thread: one Mode step's work. A step that throws (OpenCV reports its errors
    // so) has failed, and the user learns why the Mode ended.
    template <class Step>
    StepResult Run(Step&& step) {
        try {
            return step();
        } catch (...) {
            pendingMessage = IDS_STEP_ERROR;
            return StepResult::Failed;
        }
    }
    // On the frame thread: whatever comes next is done by the UI thread.
    void End(Mode mode, StepResult result) {
        paused = true;
        endedResult = result;
        endedMode = mode;
    }

    std::atomic<bool> paused{false};
    bool pausedSaved = false;
    std::atomic<bool> painting{false};
    std::atomic<int> pendingMessage{0};
    // While set the main window shows the wait cursor (gain finding, manual capture).
    std::atomic<bool> waitCursor{false};
    std::atomic<Mode> endedMode{Mode::NoSensor};
    std::atomic<StepResult> endedResult{StepResult::KeepGoing};

private:
    std::mutex stepLock;
};
