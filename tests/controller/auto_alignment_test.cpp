// Auto alignment: its run driven directly by frames of a dark sensor, and how the Controller
// concludes a failed run.
#include "controller_fixture.h"
#include "desktop_test_support.h"

#include "controller/auto_alignment_run.h"

#include <algorithm>

namespace {

class AutoRun : public ::testing::Test, public AutoAlignmentServices {
protected:
    AutoRun() { images.Allocate(320, 240); }

    void SettleOn(const ImagingParameters& row) override { settledOn = &row; }
    bool SettlingFrame() override { return settlingFrames > 0 && settlingFrames--; }
    void PreviewChanged() override {}
    const ImagingParameters& AlignmentRow() const override { return parameters.alignment[2]; }
    void SettleOnGain(int) override {}
    void ShortSettle() override { settlingFrames = 1; }
    void PatternChanged() override {}
    cv::Rect PatternArea() const override { return {}; }

    // One frame of a uniform grey: no screen, no board, no corner.
    StepResult Deliver() {
        images.Bind(frame.data());
        return run.Step();
    }

    std::vector<BYTE> frame = std::vector<BYTE>(320 * 240 * 3, 0x20);
    FrameImages images;
    AlignmentModel model;
    PatternScreen& pattern = model.pattern;
    KsControl ks;  // never opened: the sensor has no property to sweep
    SensorProperties sensor{ks};
    CoreParameterRecord parameters = DefaultCoreParameters();
    const ImagingParameters* settledOn = nullptr;
    int settlingFrames = 0;
    int32_t step = 0;
    AutoAlignmentRun run{step, images, model.mapping, pattern, sensor, parameters, *this};
};

using AutoAlignment = ControllerFixture;

}  // namespace

TEST_F(AutoRun, TriggerShowsWhiteOnceSettledThenADarkSensorFailsForTooFewCorners) {
    run.Start();
    EXPECT_EQ(step, 1);
    EXPECT_EQ(pattern.Kind(), kPatternChessboard);
    EXPECT_EQ(run.State().channel, parameters.alignment[2].channel);
    EXPECT_EQ(settledOn, &parameters.alignment[0]);

    run.Trigger();
    EXPECT_EQ(step, 2);
    EXPECT_EQ(pattern.Kind(), kPatternWhite);
    EXPECT_EQ(settledOn, &parameters.alignment[2]);
    // The next frame takes the white reference (the settle wait is ControllerSettleWait's).
    Deliver();
    EXPECT_EQ(pattern.Kind(), kPatternBlack);

    // No board, then no corner shown one by one: more than 17 lost ends the run at the 18th.
    StepResult result = StepResult::KeepGoing;
    for (int i = 0; i < 400 && result == StepResult::KeepGoing; ++i) result = Deliver();
    EXPECT_EQ(result, StepResult::Failed);
    EXPECT_EQ(run.Failure(), AlignmentFailure::TooFewCorners);
    EXPECT_EQ(step, 7);
    EXPECT_EQ(run.State().stepFound, 0);
    EXPECT_EQ(pattern.Level(), 17);
}

TEST_F(AutoAlignment, ADarkSensorsFailedRunShowsItsMessageAndARetryLeavesNoUsableAlignment) {
    controller.CoreParameters().alignment[0].range = 0;  // property waits skip no frame
    controller.CoreParameters().misc.chbSkips = 1;
    controller.AlignmentResult().accuracy.grade = AccuracyGrade::Good;
    SetMode(Mode::Idle, true, true);
    controller.EnterMode(Mode::AutoAlignment);
    controller.OnTrigger(WM_LBUTTONDOWN, true);
    const std::pair<WPARAM, LPARAM> ended{NotifyStepEnded, static_cast<LPARAM>(Mode::AutoAlignment)};
    Notifications posted;
    for (int i = 0; i < 400 && std::find(posted.begin(), posted.end(), ended) == posted.end(); ++i) {
        DeliverFrames(1);
        posted = TakeNotifications();
    }
    ASSERT_NE(std::find(posted.begin(), posted.end(), ended), posted.end());

    {
        // The failure message, then the manual-or-again question (closed without Yes: again). That
        // the message is 10020 and Yes leads to manual alignment is alignment_ends_short's check.
        testsupport::BoxDismisser boxes;
        controller.OnStepEnded();
        EXPECT_EQ(boxes.BoxesClosed(), 2);
    }
    EXPECT_EQ(controller.CurrentMode(), Mode::AutoAlignment);
    EXPECT_FALSE(controller.IsBusy()) << "waits for the trigger";
    EXPECT_FALSE(IsUsableGrade(controller.AlignmentResult().accuracy.grade));
    // Neither an alignment in force nor a found gain is left.
    EXPECT_FALSE(controller.CanEnterMode(Mode::FindGain));
    EXPECT_FALSE(controller.CanEnterMode(Mode::Track));
    EXPECT_EQ(controller.Pattern().Kind(), kPatternChessboard);
}
