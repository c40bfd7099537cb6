// Settle waits: frames counted down on the frame thread, one FrameTimer tick, or a time read
// from the clock on a thread without the window.
#include "controller_fixture.h"
#include "controller/settle_wait.h"

namespace {

// A window timer whose thread and success the test chooses.
struct ScriptedTimer : SettleWait::Timer {
    bool ownThread = true;
    UINT_PTR id = kFrameTimerId;
    std::vector<UINT> set;
    std::vector<UINT_PTR> killed;
    bool OnOwnThread() const override { return ownThread; }
    UINT_PTR Set(UINT milliseconds) override {
        set.push_back(milliseconds);
        return id;
    }
    void Kill(UINT_PTR timer) override { killed.push_back(timer); }
};

TEST(SettleWait, TimedWaitsUseTheWindowTimerOnItsThreadElseTheClock) {
    ScriptedTimer timer;
    ULONGLONG now = 1000;
    // The clock is moved by hand.
    SettleWait wait(timer, [&now] { return now; });
    // Below 100 ms the settle time counts frames, none when negative.
    wait.Start(3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(wait.SkipFrame());
    EXPECT_FALSE(wait.SkipFrame());
    wait.Start(-4);
    EXPECT_FALSE(wait.SkipFrame());

    wait.Start(120);
    EXPECT_EQ(timer.set, std::vector<UINT>{120});
    EXPECT_TRUE(wait.SkipFrame());
    // A second request while the timer runs changes nothing; only Stop ends it, and kills it.
    wait.Start(300);
    EXPECT_EQ(timer.set.size(), 1u);
    now += 10000;
    EXPECT_TRUE(wait.SkipFrame());
    wait.Stop();
    EXPECT_EQ(timer.killed, std::vector<UINT_PTR>{kFrameTimerId});
    EXPECT_FALSE(wait.SkipFrame());

    // A timer that cannot be set: thirty frames instead.
    timer.id = 0;
    wait.Start(120);
    EXPECT_FALSE(wait.TimerRunning());
    EXPECT_EQ(wait.Frames(), 30);
    wait.Stop();

    // Off the window's thread: no timer, the wait ends when the clock reaches its end.
    timer.ownThread = false;
    wait.Start(150);
    EXPECT_EQ(timer.set.size(), 2u);
    EXPECT_TRUE(wait.TimerRunning());
    now += 149;
    EXPECT_TRUE(wait.SkipFrame());
    now += 1;
    EXPECT_FALSE(wait.SkipFrame());
    EXPECT_FALSE(wait.TimerRunning());
}

class ControllerSettleWait : public ControllerFixture {
protected:
    void SetSettleTimes(int alignmentRange, int findThresholdRange) {
        records.coreParameters.alignment[0].range = alignmentRange;
        records.coreParameters.findThreshold[0].range = findThresholdRange;
    }
    int FramesSkipped() {
        int skipped = 0;
        while (skipped < 1000 && controller.SkipSettlingFrame()) ++skipped;
        return skipped;
    }
};

TEST_F(ControllerSettleWait, ShortSettlesCountFramesFromTheModesRowOrChbSkipsWithinOneToNine) {
    struct {
        Mode mode;
        bool alignmentUsable, gainFound;
        int alignmentRange, findThresholdRange, frames;
    } const cases[] = {
        {Mode::AutoAlignment, false, false, 30, 500, 30},
        {Mode::FindGain, true, false, 500, 12, 12},
        {Mode::Track, true, true, 7, 500, 7},
    };
    for (const auto& c : cases) {
        SetSettleTimes(500, 0);
        SetMode(c.mode, c.alignmentUsable, c.gainFound);
        SetSettleTimes(c.alignmentRange, c.findThresholdRange);
        controller.StartSettleWait();
        EXPECT_EQ(FramesSkipped(), c.frames) << static_cast<int>(c.mode);
    }
    for (const auto& [chbSkips, frames] : {std::pair{4, 4}, {1, 1}, {9, 9}, {0, 6}, {10, 6}, {-3, 6}}) {
        records.coreParameters.misc.chbSkips = chbSkips;
        controller.StartShortSettle();
        EXPECT_EQ(FramesSkipped(), frames) << "chbSkips " << chbSkips;
    }
}

TEST_F(ControllerSettleWait, OnlyAPressInTheStepThatWaitsForItEndsAWait) {
    struct {
        Mode mode;
        bool started;
        int settleTime;  // 100 ms and more run as a FrameTimer, less as counted frames
        UINT message;
    } const cases[] = {
        // Enter's or F5's key-up in the steps a key-down starts.
        {Mode::AutoAlignment, false, 120, WM_LBUTTONUP},
        {Mode::ManualAlignment, false, 30, WM_LBUTTONUP},
        // A press while the started run settles.
        {Mode::AutoAlignment, true, 120, WM_LBUTTONDOWN},
        {Mode::ManualAlignment, true, 30, WM_LBUTTONDOWN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.started * 1000 + static_cast<int>(c.mode));
        SetMode(c.mode);
        SetSettleTimes(c.settleTime, c.settleTime);
        if (c.started) controller.OnTrigger(WM_LBUTTONDOWN, true);
        controller.StartSettleWait();
        controller.OnTrigger(c.message, true);
        // A key-up starts no run (which keeps the user waiting), and the wait goes on.
        EXPECT_EQ(controller.IsBusy(), c.started);
        EXPECT_TRUE(controller.SkipSettlingFrame());
        controller.StopSettleWait();
    }
}

}  // namespace
