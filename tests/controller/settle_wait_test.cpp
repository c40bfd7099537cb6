// Settle waits: frames counted down on the frame thread, or one FrameTimer tick.
#include "controller_fixture.h"

namespace {

class SettleWait : public ControllerFixture {
protected:
    // Runs SkipSettlingFrame on a second thread until it lets a frame through.
    int FramesSkippedUntilFree(int limit = 1000) {
        int skipped = 0;
        std::thread([&] {
            while (skipped < limit && controller.SkipSettlingFrame()) ++skipped;
        }).join();
        return skipped;
    }

    void SetSettleTimes(int alignmentRange, int findThresholdRange) {
        controller.CoreParameters().alignment[0].range = alignmentRange;
        controller.CoreParameters().findThreshold[0].range = findThresholdRange;
    }
};

struct CountedCase {
    Mode mode;
    int alignmentRange;
    int findThresholdRange;
    int frames;
};

TEST_F(SettleWait, ShortSettleTimesCountFramesFromTheModesRow) {
    const CountedCase cases[] = {
        {Mode::AutoAlignment, 30, 500, 30},
        {Mode::FindGain, 500, 12, 12},
        {Mode::Track, -4, 500, 0},
    };
    for (const CountedCase& c : cases) {
        SetMode(c.mode, 1, true);
        SetSettleTimes(c.alignmentRange, c.findThresholdRange);
        controller.StartSettleWait();
        EXPECT_EQ(controller.SettleFrames(), c.frames) << static_cast<int>(c.mode);
        EXPECT_FALSE(controller.SettleTimerRunning());
        EXPECT_EQ(FramesSkippedUntilFree(), c.frames) << static_cast<int>(c.mode);
        EXPECT_FALSE(controller.SkipSettlingFrame());
    }
}

TEST_F(SettleWait, ShortSettleUsesChbSkipsWithinOneToNine) {
    const int cases[][2] = {{4, 4}, {1, 1}, {9, 9}, {0, 6}, {10, 6}, {-3, 6}};
    for (const auto& c : cases) {
        controller.CoreParameters().misc.chbSkips = c[0];
        controller.StartShortSettle();
        EXPECT_EQ(FramesSkippedUntilFree(), c[1]) << "chbSkips " << c[0];
    }
}

TEST_F(SettleWait, FrameTimerWaitIsOneShotAndStopEndsItWithoutATick) {
    SetMode(Mode::AutoAlignment);
    SetSettleTimes(120, 500);
    controller.StartSettleWait();
    EXPECT_EQ(controller.SettleTimerId(), kFrameTimerId);
    EXPECT_TRUE(controller.SettleTimerRunning());
    EXPECT_EQ(controller.SettleFrames(), 0);
    EXPECT_TRUE(controller.SkipSettlingFrame());
    // A second request while the timer runs changes nothing.
    controller.StartSettleWait();
    EXPECT_EQ(controller.SettleTimerId(), kFrameTimerId);

    PumpMessages(700);
    EXPECT_EQ(FrameTimerTicks(), 1);
    EXPECT_EQ(controller.SettleTimerId(), 0u);
    EXPECT_FALSE(controller.SettleTimerRunning());
    EXPECT_FALSE(controller.SkipSettlingFrame());

    // A new wait after the tick; stopped, it never ticks.
    controller.StartSettleWait();
    EXPECT_EQ(controller.SettleTimerId(), kFrameTimerId);
    controller.StopSettleWait();
    EXPECT_EQ(controller.SettleTimerId(), 0u);
    EXPECT_FALSE(controller.SkipSettlingFrame());
    PumpMessages(400);
    EXPECT_EQ(FrameTimerTicks(), 1);
}

TEST_F(SettleWait, WaitStartedOnTheFrameThreadEndsByTimeNotByTimer) {
    SetMode(Mode::AutoAlignment);
    SetSettleTimes(150, 500);
    std::thread([this] { controller.StartSettleWait(); }).join();
    EXPECT_TRUE(controller.SettleTimerRunning());
    EXPECT_EQ(controller.SettleTimerId(), 0u);
    EXPECT_TRUE(controller.SkipSettlingFrame());
    Sleep(250);
    EXPECT_FALSE(controller.SkipSettlingFrame());
    EXPECT_FALSE(controller.SettleTimerRunning());
    PumpMessages(300);
    EXPECT_EQ(FrameTimerTicks(), 0);
}

TEST_F(SettleWait, OnlyAPressInTheStepThatWaitsForItEndsAWait) {
    struct TriggerCase {
        Mode mode;
        int step;
        int alignmentRange;  // 100 ms and more run as a FrameTimer, less as counted frames
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
        SetMode(c.mode, c.step);
        SetSettleTimes(c.alignmentRange, 500);
        controller.StartSettleWait();
        controller.OnTrigger(c.message, true);
        const ModeRecord& modes = controller.Modes();
        EXPECT_EQ(c.mode == Mode::AutoAlignment ? modes.autoAlignmentStep : modes.manualAlignmentStep, c.step);
        EXPECT_EQ(controller.SettleTimerRunning(), c.alignmentRange >= 100);
        EXPECT_EQ(controller.SettleFrames(), c.alignmentRange >= 100 ? 0 : c.alignmentRange);
        controller.StopSettleWait();
    }
}

}  // namespace
