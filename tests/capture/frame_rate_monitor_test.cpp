#include "capture/frame_rate_monitor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Drives the monitor with a clock the test sets: each window lasts exactly one second and holds
// `fps` evenly spaced frames, the last one closing the window.
class FrameRateMonitorTest : public ::testing::Test {
protected:
    FrameRateMonitorTest() : monitor_([this] { return now_; }) {}

    std::vector<int> RunWindow(int fps) {
        std::vector<int> verdicts;
        const double start = windowStart_;
        for (int i = 1; i <= fps; ++i) {
            now_ = start + static_cast<double>(i) / fps;
            verdicts.push_back(monitor_.Tick());
        }
        windowStart_ = start + 1.0;
        return verdicts;
    }

    // The verdict at the end of the given windows; every earlier tick must answer 0.
    int VerdictAfter(const std::vector<int>& windowRates) {
        int last = -1;
        for (size_t w = 0; w < windowRates.size(); ++w) {
            const std::vector<int> verdicts = RunWindow(windowRates[w]);
            last = verdicts.back();
            const long quiet = static_cast<long>(verdicts.size()) - (w + 1 < windowRates.size() ? 0 : 1);
            EXPECT_EQ(std::count(verdicts.begin(), verdicts.begin() + quiet, 0), quiet) << "window " << w;
        }
        return last;
    }

    double now_ = 100.0;  // any zero point
    double windowStart_ = 100.0;
    FrameRateMonitor monitor_;
};

// Eleven windows per verdict; more than eight of them under sixteen frames a second is slow.
TEST_F(FrameRateMonitorTest, VerdictEveryElevenWindowsCountsTheSlowOnesAfreshAndResetRestartsThem) {
    EXPECT_EQ(VerdictAfter(std::vector<int>(11, 30)), FrameRateMonitor::kNormal);
    EXPECT_EQ(VerdictAfter({10, 10, 10, 10, 10, 10, 10, 10, 10, 30, 30}), FrameRateMonitor::kSlow);
    EXPECT_EQ(VerdictAfter({15, 15, 15, 15, 15, 15, 15, 15, 30, 30, 30}), FrameRateMonitor::kNormal);
    EXPECT_EQ(VerdictAfter(std::vector<int>(11, 16)), FrameRateMonitor::kNormal);
    // The slow windows before a reset are gone, and eleven more are needed for a verdict.
    VerdictAfter(std::vector<int>(10, 5));
    monitor_.Reset();
    EXPECT_EQ(VerdictAfter(std::vector<int>(11, 30)), FrameRateMonitor::kNormal);
}

}  // namespace
