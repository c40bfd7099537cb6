#pragma once
// Lets the sensor settle after its properties change: a step skips its frames until the wait is
// over. Short waits count frames; longer ones run as a one-shot window timer, or, begun on a
// thread that does not own the window, end at a time read from the clock (that thread never
// sleeps). Frames are counted on the frame thread while the UI thread may start or stop a wait.
#include <windows.h>

#include <atomic>
#include <functional>

class SettleWait {
public:
    // The window's one-shot timer: only the window's own thread may set or kill it.
    class Timer {
    public:
        virtual ~Timer() = default;
        virtual bool OnOwnThread() const = 0;
        // The timer's id, or 0 when it could not be set.
        virtual UINT_PTR Set(UINT milliseconds) = 0;
        virtual void Kill(UINT_PTR id) = 0;
    };
    // Milliseconds since some fixed start.
    using Clock = std::function<ULONGLONG()>;

    explicit SettleWait(Timer& timer, Clock clock = &GetTickCount64);

    // `settle` in milliseconds, or in frames below 100 (none when negative). A timed wait that
    // runs already goes on as it is.
    void Start(int settle);
    // A wait of `frames` frames in place of any timed one (a window timer is left to tick).
    void CountFrames(int frames);
    void Stop();
    // Called by a step before it acts: true (and one frame counted down) while settling.
    bool SkipFrame();

    UINT_PTR TimerId() const { return timerId_; }
    int Frames() const { return frames_; }
    bool TimerRunning() const { return timerRunning_; }

private:
    Timer& timer_;
    Clock clock_;
    UINT_PTR timerId_ = 0;
    std::atomic<int> frames_{0};
    std::atomic<bool> timerRunning_{false};
    // Waits begun off the window's thread end at this clock time (no window timer there).
    std::atomic<ULONGLONG> deadline_{0};
};
