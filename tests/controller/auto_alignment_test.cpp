// Auto alignment: its run driven directly by synthetic frames (a lit screen against a dark one),
// the message the Controller shows for each reason a run fails, and a failed run of a dark
// sensor concluded by the Controller.
#include "controller_fixture.h"
#include "desktop_test_support.h"

#include "controller/alignment_failure_message.h"
#include "controller/auto_alignment_run.h"
#include "resources/resource_ids.h"

namespace {

class AutoRun : public ::testing::Test, public AutoAlignmentServices {
protected:
    void SettleOn(const ImagingParameters& row) override { settledOn = &row; }
    bool SettlingFrame() override { return settlingFrames > 0 && settlingFrames--; }
    void PreviewChanged() override {}
    const ImagingParameters& AlignmentRow() const override { return parameters.alignment[2]; }
    void SettleOnGain(int) override {}
    void ShortSettle() override { settlingFrames = 1; }
    void PatternChanged() override {}
    cv::Rect PatternArea() const override { return {0, 0, 1024, 768}; }

    // One frame of dark grey, with `lit` bright in the green channel.
    void Deliver(PixelRect lit = {}) {
        std::vector<BYTE> frame(320 * 240 * 3, 0x20);
        for (int y = lit.y; y < lit.Bottom(); ++y)
            for (int x = lit.x; x < lit.Right(); ++x) frame[(y * 320 + x) * 3 + 1] = 0xE0;
        images.Bind(frame.data());
        EXPECT_EQ(run.Step(), StepResult::KeepGoing);
        images.Bind(nullptr);
    }

    FrameImages images;
    CameraModel camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    ScreenMapping mapping{camera, geometry, pattern};
    KsControl ks;  // never opened: the sensor has no property to sweep
    SensorProperties sensor{ks};
    CoreParameterRecord parameters = DefaultCoreParameters();
    const ImagingParameters* settledOn = nullptr;
    int settlingFrames = 0;
    int32_t step = 0;
    AutoAlignmentRun run{step, images, mapping, pattern, sensor, parameters, *this};
};

using AutoAlignment = ControllerFixture;

}  // namespace

TEST_F(AutoRun, StartsOnTheBoardThenTheTriggerShowsWhiteAndTheLitScreenBecomesTheArea) {
    images.Allocate(320, 240);
    parameters.alignment[2].channel = 1;
    run.Start();
    EXPECT_EQ(step, 1);
    EXPECT_EQ(pattern.Kind(), kPatternChessboard);
    EXPECT_EQ(run.State().minCorners, 17);
    EXPECT_EQ(run.State().channel, 1);
    EXPECT_EQ(settledOn, &parameters.alignment[0]);

    run.Trigger();
    EXPECT_EQ(step, 2);
    EXPECT_EQ(pattern.Kind(), kPatternWhite);
    EXPECT_EQ(pattern.Level(), PatternScreen::kDefaultLevel);
    EXPECT_EQ(settledOn, &parameters.alignment[2]);
    // Frames while the sensor settles do nothing.
    settlingFrames = 3;
    for (int i = 0; i < 3; ++i) Deliver();
    EXPECT_EQ(pattern.Kind(), kPatternWhite);
    // White lights the screen in the row's channel, black after a settling frame does not.
    Deliver({60, 50, 200, 140});
    EXPECT_EQ(pattern.Kind(), kPatternBlack);
    Deliver();
    Deliver();
    EXPECT_EQ(step, 3);
    EXPECT_EQ(pattern.Kind(), kPatternChessboard);
    EXPECT_EQ(images.detectionArea, (PixelRect{60, 50, 200, 140}));
}

TEST(AlignmentFailureMessages, EachReasonHasItsMessage) {
    const std::pair<AlignmentFailure, int> table[] = {
        {AlignmentFailure::TooFewCorners, IDS_LOSING_CORNERS},
        {AlignmentFailure::Unknown, IDS_ALIGNMENT_FAIL},
        {AlignmentFailure::Bad, IDS_ALIGNMENT_BAD},
        {AlignmentFailure::Coarse, IDS_ALIGNMENT_COARSE},
    };
    for (const auto& [reason, message] : table) EXPECT_EQ(AlignmentFailureMessage(reason), message);
}

TEST_F(AutoAlignment, DarkSensorFailsInStepSevenThenTheMessageAndARetryLeaveNoUsableAlignment) {
    controller.CoreParameters().alignment[0].range = 0;  // property waits skip no frame
    controller.CoreParameters().misc.chbSkips = 1;
    controller.AlignmentResult().accuracy.grade = AccuracyGrade::Good;
    SetMode(Mode::Idle, 0, true, true);
    controller.EnterMode(Mode::AutoAlignment);
    EXPECT_EQ(controller.Modes().alignmentUsable, 0);
    EXPECT_EQ(controller.Modes().gainFound, 0);
    controller.OnTrigger(WM_LBUTTONDOWN, true);
    // A uniform frame: no screen, no board, no corner.
    for (int i = 0; i < 400 && !controller.Paused(); ++i) DeliverFrames(1);
    EXPECT_TRUE(controller.Paused());
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 7);
    // Too few corners: more than 17 lost ends the run at the 18th shown corner.
    EXPECT_EQ(controller.PendingMessage(), IDS_LOSING_CORNERS);
    EXPECT_EQ(controller.Pattern().Level(), 17);
    const auto notifications = TakeNotifications();
    ASSERT_FALSE(notifications.empty());
    EXPECT_EQ(notifications.back().first, static_cast<WPARAM>(NotifyStepEnded));

    testsupport::BoxDismisser boxes;
    controller.OnStepEnded();
    // The failure message, then the manual-or-again question (closed without Yes: again).
    EXPECT_EQ(boxes.BoxesClosed(), 2);
    EXPECT_EQ(controller.CurrentMode(), Mode::AutoAlignment);
    EXPECT_EQ(controller.Modes().autoAlignmentStep, 1);
    EXPECT_EQ(controller.Modes().alignmentUsable, 0);
    EXPECT_FALSE(controller.CanEnterMode(Mode::FindGain));
    EXPECT_EQ(controller.Pattern().Kind(), kPatternChessboard);
    EXPECT_FALSE(controller.Paused());
}
