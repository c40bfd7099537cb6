#include "capture/frame_rate_monitor.h"

#include <windows.h>

#include <utility>

namespace {

constexpr double kWindowSeconds = 1.0;
constexpr double kSlowRate = 16.0;
constexpr uint32_t kWindowsPerVerdict = 10;  // a verdict when this many are exceeded
constexpr uint32_t kSlowWindowsForSlow = 8;  // slow when more than this many were slow

double PerformanceCounterSeconds() {
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

}  // namespace

FrameRateMonitor::FrameRateMonitor() : FrameRateMonitor(PerformanceCounterSeconds) {}

FrameRateMonitor::FrameRateMonitor(Clock clock) : clock_(std::move(clock)) { Reset(); }

void FrameRateMonitor::Reset() {
    zeroPoint_ = clock_();
    now_ = 0.0;
    windowStart_ = 0.0;
    frames_ = 0;
    verdict_ = kNoVerdict;
    rate_ = 30.0;
    slowWindows_ = 0;
    windows_ = 0;
}

int FrameRateMonitor::Tick() {
    now_ = clock_() - zeroPoint_;
    verdict_ = kNoVerdict;
    ++frames_;
    const double elapsed = now_ - windowStart_;
    if (elapsed >= kWindowSeconds) {
        rate_ = frames_ / elapsed;
        frames_ = 0;
        ++windows_;
        windowStart_ = now_;
        if (rate_ < kSlowRate) ++slowWindows_;
    }
    if (windows_ > kWindowsPerVerdict) {
        verdict_ = slowWindows_ > kSlowWindowsForSlow ? kSlow : kNormal;
        windows_ = 0;
        slowWindows_ = 0;
    }
    return verdict_;
}
