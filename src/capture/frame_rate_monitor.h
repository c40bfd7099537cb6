#pragma once
// Watches the frame rate in windows of one second and judges it every eleven windows, so that a
// sensor falling behind (USB bandwidth, CPU load) can be reported while tracking.
#include <cstdint>
#include <functional>

class FrameRateMonitor {
public:
    enum Verdict : int { kNoVerdict = 0, kSlow = 1, kNormal = 2 };
    // Seconds on a monotonic time base; only differences matter.
    using Clock = std::function<double()>;

    // Measures with the high-resolution performance counter.
    FrameRateMonitor();
    explicit FrameRateMonitor(Clock clock);

    void Reset();
    // Once per frame; a verdict at the end of every eleventh window, else kNoVerdict.
    int Tick();

private:
    Clock clock_;
    double zeroPoint_ = 0.0;
    double now_ = 0.0;
    double windowStart_ = 0.0;
    uint32_t frames_ = 0;
    int verdict_ = kNoVerdict;
    double rate_ = 30.0;
    uint32_t slowWindows_ = 0;
    uint32_t windows_ = 0;
};
