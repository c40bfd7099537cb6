// Auto alignment: its run driven directly by frames of a dark sensor, and how the Controller
// concludes a failed run.
#include "../capture/fake_sensor_controls.h"
#include "board_renderer.h"
#include "controller_fixture.h"
#include "desktop_test_support.h"

#include "controller/auto_alignment_run.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <map>

namespace {

class AutoRun : public ::testing::Test, public AutoAlignmentServices {
protected:
    AutoRun() { images.Allocate(320, 240); }

    void SettleOn(const ImagingParameters& row) override { settledOn = &row; }
    bool SettlingFrame() override { return settlingFrames > 0 && settlingFrames--; }
    void PreviewChanged() override {}
    const ImagingParameters& AlignmentRow() const override { return parameters.alignment[2]; }
    void SettleOnGain(int value) override { sensor.SetGain(value); }
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

// A lit room with a dim screen. At the alignment settings (exposure -2, brightness 82) the whole
// screen, dark parts too, clips white. The sensor's exposure (-8..-1) halves the levels a step;
// a sensor with brightness alone (0..255) shifts them all alike.
class LitRoom : public AutoRun {
protected:
    void WithExposure() {
        filter->cameraControl->ranges[CameraControl_Exposure] = {-8, -1, 1, -2};
        filter->cameraControl->values[CameraControl_Exposure] = -2;
        Attach();
    }
    void WithBrightnessAlone() {
        filter->videoProcAmp->ranges[VideoProcAmp_Brightness] = {0, 255, 1, 128};
        filter->videoProcAmp->values[VideoProcAmp_Brightness] = 82;
        Attach();
    }
    void SettleOnGain(int value) override {
        AutoRun::SettleOnGain(value);
        gains.push_back(value);
    }

    // Frames until step 4 (references and board) begins.
    void RunToTheReferences() {
        run.Start();
        run.Trigger();
        for (int i = 0; i < 80 && step != 4; ++i) {
            ShowPattern();
            Deliver();
        }
    }

    std::vector<int> gains;

private:
    void Attach() {
        sensor.Attach(filter.Get());
        sensor.ReadRanges();
    }
    // The pattern shown, as the sensor sees it now.
    void ShowPattern() {
        BoardScene scene;
        if (sensor.IsExposureGain()) {
            const int shift = sensor.CameraControl(SensorProperties::kExposure).value + 8;
            scene.light = static_cast<uchar>(std::min(255, 12 << shift));
            scene.dark = static_cast<uchar>(std::min(255, 4 << shift));
        } else {
            const int brightness = sensor.VideoProcAmp(SensorProperties::kBrightness).value;
            scene.light = static_cast<uchar>(std::clamp(4 * brightness + 20, 0, 255));
            scene.dark = static_cast<uchar>(std::clamp(4 * brightness - 60, 0, 255));
        }
        if (pattern.Kind() == kPatternWhite) scene.dark = scene.light;
        if (pattern.Kind() == kPatternBlack) scene.light = scene.dark;
        cv::Mat& picture = pictures[{pattern.Kind(), scene.light * 256 + scene.dark}];
        if (picture.empty()) cv::cvtColor(RenderBoard(lens, ViewOfDesktop(lens, scene), scene), picture, cv::COLOR_GRAY2BGR);
        std::copy(picture.data, picture.data + frame.size(), frame.begin());
    }

    Microsoft::WRL::ComPtr<FakeCaptureFilter> filter = TakeReference(new FakeCaptureFilter());
    const DetectorProfile lens = SampleLens(true);
    std::map<std::pair<int, int>, cv::Mat> pictures;
};

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

// The sweep starts at the shortest exposure and ends at the first that shows the board clearly
// (-4: 128 levels between its squares), not at a fainter one the references could not be taken
// at, and not blinded by the black reference that clipped white at -2.
// The white screen clips at -2 and is dim at -5 (96): the references and the board are taken at
// -4, the first exposure that clips nothing, without a sweep.
TEST_F(LitRoom, ExposureDropsUntilTheWhiteScreenNoLongerClips) {
    WithExposure();
    RunToTheReferences();
    EXPECT_EQ(step, 4);
    EXPECT_EQ(gains, (std::vector<int>{-5, -4}));
    EXPECT_FALSE(run.State().sweepStarted);
}

// Brightness cannot free the white, so the sweep looks for the board. The black reference taken
// at 82 is white: the sweep must not weigh frames against it. At brightness 0 the board shows
// only 20 levels above its dark squares, too faint; at 51 (the second position) it shows clearly.
TEST_F(LitRoom, BrightnessSweepEndsAtTheFirstPositionThatShowsTheBoardClearly) {
    WithBrightnessAlone();
    RunToTheReferences();
    EXPECT_EQ(step, 4);
    EXPECT_TRUE(run.State().sweepStarted);
    EXPECT_EQ(gains, (std::vector<int>{0, 51}));
}
