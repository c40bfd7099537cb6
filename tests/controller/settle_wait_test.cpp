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
};

struct CountedCase {
    Mode mode;
    bool alignmentUsable;
    bool gainFound;
    int alignmentRange;
    int findThresholdRange;
    int frames;
};

TEST_F(ControllerSettleWait, ShortSettleTimesCountFramesFromTheModesRow) {
    const CountedCase cases[] = {
        {Mode::AutoAlignment, false, false, 30, 500, 30},
        {Mode::FindGain, true, false, 500, 12, 12},
        {Mode::Track, true, true, 7, 500, 7},
    };
    for (const CountedCase& c : cases) {
        SetSettleTimes(500, 0);
        SetMode(c.mode, 1, c.alignmentUsable, c.gainFound);
        SetSettleTimes(c.alignmentRange, c.findThresholdRange);
        controller.StartSettleWait();
        EXPECT_EQ(controller.SettleFrames(), c.frames) << static_cast<int>(c.mode);
    }
}

TEST_F(ControllerSettleWait, ShortSettleUsesChbSkipsWithinOneToNine) {
    const int cases[][2] = {{4, 4}, {1, 1}, {9, 9}, {0, 6}, {10, 6}, {-3, 6}};
    for (const auto& c : cases) {
        records.coreParameters.misc.chbSkips = c[0];
        controller.StartShortSettle();
        EXPECT_EQ(controller.SettleFrames(), c[1]) << "chbSkips " << c[0];
    }
}

TEST_F(ControllerSettleWait, OnlyAPressInTheStepThatWaitsForItEndsAWait) {
    struct TriggerCase {
        Mode mode;
        int step;
        int settleTime;  // 100 ms and more run as a FrameTimer, less as counted frames
        UINT message;
    };
    const TriggerCase cases[] = {
        // Enter's or F5's key-up in the steps a key-down starts.
        {Mode::AutoAlignment, 1, 120, WM_LBUTTONUP},
        {Mode::ManualAlignment, 1, 30, WM_LBUTTONUP},
        // A press while the started run settles.
        {Mode::AutoAlignment, 2, 120, WM_LBUTTONDOWN},
        {Mode::ManualAlignment, 2, 30, WM_LBUTTONDOWN},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(c.step * 1000 + static_cast<int>(c.mode));
        SetMode(c.mode);
        SetSettleTimes(c.settleTime, c.settleTime);
        if (c.step == 2) controller.OnTrigger(WM_LBUTTONDOWN, true);
        controller.StartSettleWait();
        const bool timer = controller.SettleTimerRunning();
        const int frames = controller.SettleFrames();
        EXPECT_EQ(timer, c.settleTime >= 100);
        EXPECT_EQ(frames, timer ? 0 : c.settleTime);
        controller.OnTrigger(c.message, true);
        const ModeRecord& modes = controller.Modes();
        EXPECT_EQ(c.mode == Mode::AutoAlignment ? modes.autoAlignmentStep : modes.manualAlignmentStep, c.step);
        EXPECT_EQ(controller.SettleTimerRunning(), timer);
        EXPECT_EQ(controller.SettleFrames(), frames);
        controller.StopSettleWait();
    }
}

}  // namespace
