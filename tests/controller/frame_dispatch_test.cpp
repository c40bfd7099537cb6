// Frames delivered from a second thread, as the capture graph does.
#include "controller_fixture.h"

namespace {

using FrameDispatch = ControllerFixture;

TEST_F(FrameDispatch, FirstFrameMovesToStartingAndAnnouncesInitialized) {
    SetMode(Mode::Initializing, 0, true, true);
    DeliverFrames(1);
    EXPECT_EQ(controller.CurrentMode(), Mode::Starting);
    EXPECT_TRUE(controller.Paused());
    EXPECT_EQ(controller.Modes().alignmentUsable, 0);
    EXPECT_EQ(controller.Modes().gainFound, 0);
    EXPECT_EQ(controller.SettleFrames(), 0);
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyModeRequest, 3}}));

    // Paused from now until start-up finishes: later frames do nothing and post nothing.
    DeliverFrames(4);
    EXPECT_EQ(controller.CurrentMode(), Mode::Starting);
    EXPECT_EQ(controller.FramesProcessed(), 1u);
    EXPECT_EQ(controller.FramesSkipped(), 4u);
    EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(FrameDispatch, NoModeWorkWhilePausedOrPaintingOrWithoutABuffer) {
    SetMode(Mode::Initializing);
    controller.SetPaused(true);
    DeliverFrames(3);
    controller.SetPaused(false);
    controller.SetPainting(true);
    DeliverFrames(2);
    std::thread([this] { controller.OnFrame(nullptr); }).join();
    EXPECT_EQ(controller.CurrentMode(), Mode::Initializing);
    EXPECT_EQ(controller.FramesProcessed(), 0u);
    EXPECT_EQ(controller.FramesSkipped(), 6u);
    EXPECT_TRUE(TakeNotifications().empty());

    controller.SetPainting(false);
    DeliverFrames(1);
    EXPECT_EQ(controller.CurrentMode(), Mode::Starting);
}

TEST_F(FrameDispatch, SetPausedOffRestoresTheSavedValue) {
    SetMode(Mode::Track);
    controller.SetPaused(true);
    controller.SetPaused(true);
    controller.SetPaused(false);
    EXPECT_TRUE(controller.Paused());
}

TEST_F(FrameDispatch, WorkingModesRunOneStepPerFrame) {
    for (Mode mode : {Mode::AutoAlignment, Mode::ManualAlignment, Mode::FindGain, Mode::Track,
                      Mode::Idle}) {
        SetMode(mode);
        const uint32_t before = controller.FramesProcessed();
        DeliverFrames(10);
        EXPECT_EQ(controller.FramesProcessed() - before, 10u);
        EXPECT_EQ(controller.CurrentMode(), mode);
    }
    EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(FrameDispatch, AnEndedStepPausesAndHandsItsEndToTheUiThread) {
    SetMode(Mode::FindGain, 3, true);
    std::thread([this] { ControllerTestAccess::EndStep(controller, Mode::FindGain, StepFailed); })
        .join();
    EXPECT_TRUE(controller.Paused());
    EXPECT_EQ(TakeNotifications(),
              (Notifications{{NotifyStepEnded, static_cast<LPARAM>(Mode::FindGain)}}));
    DeliverFrames(2);
    EXPECT_EQ(controller.FramesSkipped(), 2u);
}

}  // namespace
