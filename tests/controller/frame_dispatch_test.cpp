// Frames delivered from a second thread, as the capture graph does.
#include "controller_fixture.h"
#include "../capture/fake_sensor_controls.h"
#include "desktop_test_support.h"
#include "resources/resource_ids.h"

#include <chrono>
#include <future>
#include <stdexcept>

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
    EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(FrameDispatch, TheFirstFrameSetsTheSensorUpAndShutdownTakesItsPictureToTheMinimum) {
    const auto filter = TakeReference(new FakeCaptureFilter());
    std::map<long, FakeRange>& ranges = filter->videoProcAmp->ranges;
    ranges = {{VideoProcAmp_Brightness, {-64, 64, 1, 0}},     {VideoProcAmp_ColorEnable, {0, 1, 1, 1}},
              {VideoProcAmp_WhiteBalance, {2800, 6500, 1, 4600}}, {VideoProcAmp_BacklightCompensation, {0, 2, 1, 1}},
              {VideoProcAmp_Gain, {0, 100, 1, 50}}};
    for (const auto& [id, range] : ranges) filter->videoProcAmp->values[id] = range.defaultValue;
    ControllerTestAccess::SensorControls(controller).Attach(filter.Get());
    ControllerTestAccess::SensorControls(controller).ReadRanges();
    controller.CoreParameters().sensorInit = {50, 0, 3000, 2, 40};
    SetMode(Mode::Initializing);
    DeliverFrames(1);
    std::map<long, long>& values = filter->videoProcAmp->values;
    EXPECT_EQ(values[VideoProcAmp_ColorEnable], 0);
    EXPECT_EQ(values[VideoProcAmp_WhiteBalance], 3000);
    EXPECT_EQ(values[VideoProcAmp_BacklightCompensation], 2);
    EXPECT_EQ(values[VideoProcAmp_Gain], 40);
    EXPECT_EQ(values[VideoProcAmp_Brightness], 0);

    controller.Shutdown();
    for (const auto& [id, range] : ranges) EXPECT_EQ(values[id], range.minimum) << id;
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
    EXPECT_TRUE(TakeNotifications().empty());

    controller.SetPainting(false);
    DeliverFrames(1);
    EXPECT_EQ(controller.CurrentMode(), Mode::Starting);

    // Switched off, the pause gives back what it was before: a nested one stays on.
    controller.SetPaused(true);
    controller.SetPaused(true);
    controller.SetPaused(false);
    EXPECT_TRUE(controller.Paused());
}

TEST_F(FrameDispatch, AModeEnteredDuringASlowStepGetsTheNextFramesAndNoneOfItsEnd) {
    testsupport::CursorLock cursor;
    testsupport::BoxDismisser boxes;
    // The dot evaluation fails at once without dots; its step then lasts a second and a half,
    // as a board evaluation may on a slow computer.
    SetMode(Mode::ManualAlignment, 6);
    std::promise<void> slowStepBegun;
    ControllerTestAccess::SetStepProbe(controller, [&slowStepBegun] {
        slowStepBegun.set_value();
        Sleep(1500);
    });
    std::future<void> begun = slowStepBegun.get_future();
    std::thread frameThread([this] { controller.OnFrame(frame.data()); });
    const bool stepRunning = begun.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    // The user starts the manual alignment over while the step still runs.
    if (stepRunning) controller.EnterMode(Mode::ManualAlignment);
    frameThread.join();
    ControllerTestAccess::SetStepProbe(controller, nullptr);
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

    const uint32_t before = controller.FramesProcessed();
    DeliverFrames(3);
    EXPECT_EQ(controller.FramesProcessed() - before, 3u);
    EXPECT_EQ(controller.Modes().manualAlignmentStep, 1);
    EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(FrameDispatch, AStepThatThrowsEndsItsModeAndTheUserIsToldFirst) {
    testsupport::CursorLock cursor;
    for (Mode mode : {Mode::FindGain, Mode::Track, Mode::AutoAlignment, Mode::ManualAlignment}) {
        SCOPED_TRACE(static_cast<int>(mode));
        SetMode(mode, 1, true, true);
        ControllerTestAccess::SetStepProbe(controller, [] { throw std::runtime_error("step"); });
        const uint32_t processed = controller.FramesProcessed();
        DeliverFrames(2);
        ControllerTestAccess::SetStepProbe(controller, nullptr);
        // The frame thread goes on; the frames wait, paused, for the UI thread's conclusion.
        EXPECT_EQ(controller.FramesProcessed() - processed, 1u);
        EXPECT_TRUE(controller.Paused());
        EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyStepEnded, static_cast<LPARAM>(mode)}}));
        std::vector<std::wstring> boxes;
        {
            testsupport::BoxDismisser dismisser([&boxes](HWND box) { boxes.push_back(testsupport::WindowTexts(box)); });
            controller.OnStepEnded();
        }
        ASSERT_FALSE(boxes.empty());
        EXPECT_NE(boxes.front().find(L"#10031"), std::wstring::npos);
        TakeNotifications();
    }
}

}  // namespace
