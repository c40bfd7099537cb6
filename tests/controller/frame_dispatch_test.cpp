// Frames delivered from a second thread, as the capture graph does, and how an ended step
// reaches the UI thread.
#include "controller_fixture.h"
#include "resources/resource_ids.h"

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

namespace {

using FrameDispatch = ControllerFixture;

TEST_F(FrameDispatch, NoModeWorkWhilePausedOrPaintingOrWithoutABufferAndPausesNest) {
    SetMode(Mode::Idle, 0);
    controller.SetPaused(true);
    DeliverFrames(3);
    controller.SetPaused(false);
    controller.SetPainting(true);
    DeliverFrames(2);
    std::thread([this] { controller.OnFrame(nullptr); }).join();
    EXPECT_EQ(stepsRun, 0);
    controller.SetPainting(false);
    DeliverFrames(2);
    EXPECT_EQ(stepsRun, 2);
    EXPECT_TRUE(TakeNotifications().empty());

    // Switched off, the pause gives back what it was before: a nested one stays on.
    controller.SetPaused(true);
    controller.SetPaused(true);
    controller.SetPaused(false);
    EXPECT_TRUE(controller.Paused());
}

TEST_F(FrameDispatch, AModeEnteredDuringASlowStepGetsTheNextFramesAndNoneOfItsEnd) {
    testsupport::BoxDismisser boxes;
    SetMode(Mode::ManualAlignment);
    // The first step lasts a second and a half, as a board evaluation may on a slow computer,
    // and then fails.
    std::promise<void> slowStepBegun;
    std::future<void> begun = slowStepBegun.get_future();
    afterStep = [&slowStepBegun, first = true]() mutable {
        if (!std::exchange(first, false)) return;
        slowStepBegun.set_value();
        Sleep(1500);
        throw std::runtime_error("slow step");
    };
    std::thread frameThread([this] { controller.OnFrame(frame.data()); });
    const bool stepRunning = begun.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    // The user starts the manual alignment over while the step still runs.
    if (stepRunning) controller.EnterMode(Mode::ManualAlignment);
    frameThread.join();
    ASSERT_TRUE(stepRunning);

    EXPECT_FALSE(controller.Paused());
    // The main window concludes what was posted: nothing of the old run reaches the new one.
    for (const auto& [code, value] : TakeNotifications()) {
        if (code == NotifyStepEnded) controller.OnStepEnded();
    }
    EXPECT_EQ(boxes.BoxesClosed(), 0);
    EXPECT_EQ(controller.CurrentMode(), Mode::ManualAlignment);
    EXPECT_EQ(controller.Modes().manualAlignmentStep, 1);
    EXPECT_FALSE(controller.Paused());

    DeliverFrames(3);
    EXPECT_EQ(stepsRun, 4);
    EXPECT_EQ(controller.Modes().manualAlignmentStep, 1);
    EXPECT_TRUE(TakeNotifications().empty());
}

struct FailedStepCase {
    Mode mode;
    bool gainFound;
    // The boxes the UI thread's conclusion shows (closed without Yes) and where it goes.
    int boxes;
    Mode after;
    Notifications posted;
};

TEST_F(FrameDispatch, AStepThatFailsIsConcludedOnTheUiThreadWhichTellsTheUserFirst) {
    const FailedStepCase cases[] = {
        {Mode::FindGain, false, 1, Mode::Idle, {}},
        // Tracking finds the gain anew; the old one still counts.
        {Mode::Track, true, 1, Mode::FindGain, {}},
        // The failure, then the manual-or-again question: again.
        {Mode::AutoAlignment, false, 2, Mode::AutoAlignment, {}},
        // The failure, then the redo question: No ends the program.
        {Mode::ManualAlignment, false, 2, Mode::ManualAlignment, {{NotifyCloseNow, 0}}},
    };
    for (const FailedStepCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        SetMode(c.mode, 1, c.mode == Mode::FindGain || c.gainFound, c.gainFound);
        // OpenCV reports its errors by throwing; the step has failed.
        afterStep = [] { throw std::runtime_error("step"); };
        const int stepsBefore = stepsRun;
        DeliverFrames(2);
        afterStep = nullptr;
        // The frame thread goes on; the frames wait, paused, for the UI thread's conclusion.
        EXPECT_EQ(stepsRun - stepsBefore, 1);
        EXPECT_TRUE(controller.Paused());
        EXPECT_EQ(controller.PendingMessage(), IDS_STEP_ERROR);
        EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyStepEnded, static_cast<LPARAM>(c.mode)}}));
        std::vector<std::wstring> boxes;
        {
            testsupport::BoxDismisser dismisser([&boxes](HWND box) { boxes.push_back(testsupport::WindowTexts(box)); });
            controller.OnStepEnded();
        }
        ASSERT_EQ(boxes.size(), static_cast<size_t>(c.boxes));
        EXPECT_NE(boxes.front().find(L"#10031"), std::wstring::npos);
        EXPECT_EQ(controller.CurrentMode(), c.after);
        EXPECT_EQ(controller.Modes().gainFound, c.gainFound ? 1 : 0);
        EXPECT_EQ(controller.PendingMessage(), 0);
        EXPECT_EQ(TakeNotifications(), c.posted);
        if (c.after != Mode::ManualAlignment) {
            EXPECT_FALSE(controller.Paused());
        }
    }
}

}  // namespace
