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

using ControllerSettleWait = ControllerFixture;

// Auto alignment's trigger shows white and settles on the alignment row's time (frames below
// 100) before the white reference; each pattern after it waits chbSkips frames, six when that is
// not 1 to 9. A key-up starts no run, and a press while the run settles does not end the wait.
TEST_F(ControllerSettleWait, TheTriggerWaitsTheRowsSettleTimeAndEachPatternChbSkipsFrames) {
    SetMode(Mode::AutoAlignment);
    const struct { int settle, chbSkips, frames; } cases[] = {{30, 4, 4}, {0, 1, 1}, {0, 9, 9}, {0, 0, 6}, {0, 10, 6}, {0, -3, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chbSkips);
        records.coreParameters.alignment[0].range = c.settle;
        records.coreParameters.misc.chbSkips = c.chbSkips;
        controller.EnterMode(Mode::AutoAlignment);
        controller.OnTrigger(WM_LBUTTONUP, true);
        EXPECT_FALSE(controller.IsBusy());
        controller.OnTrigger(WM_LBUTTONDOWN, true);
        DeliverFrames(c.settle / 2);
        controller.OnTrigger(WM_LBUTTONDOWN, true);
        DeliverFrames(c.settle - c.settle / 2);
        EXPECT_EQ(controller.Pattern().Kind(), kPatternWhite);
        DeliverFrames(1);
        EXPECT_EQ(controller.Pattern().Kind(), kPatternBlack);
        DeliverFrames(c.frames);
        EXPECT_EQ(controller.Pattern().Kind(), kPatternBlack);
        DeliverFrames(1);
        EXPECT_EQ(controller.Pattern().Kind(), kPatternChessboard);
    }
}

}  // namespace
