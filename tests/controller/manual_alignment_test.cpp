// Manual alignment: its run driven directly by synthetic frames (a dim screen for the threshold
// learning, then a bright pen spot moved over it), the fit of the nine dots, and the
// Controller's side of it (entry, the hot-spot check).
#include "controller_fixture.h"

#include "controller/manual_alignment_run.h"
#include "desktop_test_support.h"
#include "resources/resource_ids.h"
#include "tracking/spot_tracker.h"

#include <algorithm>

namespace {

constexpr BYTE kScreenLevel = 0x30;
constexpr int kPenSize = 7;

// A lit square whose top-left pixel is (x, y); its centre is (x + 3.5, y + 3.5).
void PutPen(std::vector<BYTE>& frame, int x, int y) {
    std::fill(frame.begin(), frame.end(), kScreenLevel);
    for (int row = y; row < y + kPenSize; ++row)
        std::fill_n(frame.begin() + (row * 320 + x) * 3, kPenSize * 3, BYTE{255});
}

class RecordingServices : public ManualAlignmentServices {
public:
    void SettleOn(const ImagingParameters& row) override { settledOn = &row; }
    bool SettlingFrame() override { return settlingFrames > 0 && settlingFrames--; }
    const ImagingParameters& TrackingRow() const override { return parameters.findThreshold[3]; }
    SpotParameters TrackingSpot() const override { return SpotParametersFrom(parameters.tracking); }
    void PreviewChanged() override {}
    void DotsChanged() override {}
    void DotInputBegins() override { ++dotInputsBegun; }
    void AskUser() override { ++asked; }
    void ReportFailure(AlignmentFailure reason) override { failure = reason; }

    CoreParameterRecord parameters = DefaultCoreParameters();
    const ImagingParameters* settledOn = nullptr;
    int settlingFrames = 0;
    int dotInputsBegun = 0;
    int asked = 0;
    std::optional<AlignmentFailure> failure;
};

class ManualRun : public ::testing::Test {
protected:
    ManualRun() : frame(320 * 240 * 3, kScreenLevel) {
        images.Allocate(320, 240);
        run.Reset();
    }

    StepResult Deliver(int count) {
        StepResult result = StepResult::KeepGoing;
        for (int i = 0; i < count; ++i) {
            images.Bind(frame.data());
            result = run.Step();
            images.Bind(nullptr);
        }
        return result;
    }

    // Starts the run and lets it learn the empty screen up to the dot input.
    void StartDotInput() {
        ASSERT_EQ(run.Trigger(), ManualTrigger::CaptureStarts);
        ASSERT_EQ(step, kManualTrackingProperties);
        // Nothing moves while the sensor settles.
        services.settlingFrames = 2;
        Deliver(2);
        ASSERT_EQ(step, kManualTrackingProperties);
        Deliver(1);
        EXPECT_EQ(services.settledOn, &services.parameters.findThreshold[3]);
        Deliver(1 + 20 + 1);
        ASSERT_EQ(step, kManualInput);
        EXPECT_EQ(services.dotInputsBegun, 1);
        // Its first frame only repaints.
        Deliver(1);
    }

    std::vector<BYTE> frame;
    FrameImages images;
    AlignmentModel model;
    RecordingServices services;
    int32_t step = 0;
    ManualAlignmentRun run{step, images, model.mapping, services};
};

class ManualAlignmentFlow : public ControllerFixture {
protected:
    // From the preview to the dot input: the run settles (30 frames) and learns the empty
    // screen, keeping the user waiting; a press while it settles does not end the wait.
    void ReachDotInput() {
        records.coreParameters.alignment[0].range = 30;
        controller.EnterMode(Mode::ManualAlignment);
        controller.OnTrigger(WM_LBUTTONDOWN, true);
        EXPECT_TRUE(controller.WaitCursor());
        std::fill(frame.begin(), frame.end(), kScreenLevel);
        DeliverFrames(1);
        controller.OnTrigger(WM_LBUTTONDOWN, true);
        DeliverFrames(30 + 21);
        EXPECT_TRUE(controller.IsBusy());
        DeliverFrames(2);
        ASSERT_FALSE(controller.IsBusy()) << "in the dot input";
        EXPECT_FALSE(controller.WaitCursor());
        TakeNotifications();
    }
};

}  // namespace

TEST_F(ManualRun, TheTriggerSkipsATargetAndTheNextDotTakesThePenAtItsCentre) {
    StartDotInput();
    EXPECT_EQ(run.Trigger(), ManualTrigger::DotSkipped);
    EXPECT_EQ(run.Dots().current, 3);

    // (A pen left on the dot taken once is manual_alignment_nine_dots' check.)
    PutPen(frame, 100, 80);
    Deliver(1);
    EXPECT_EQ(run.Dots().done, 1);
    // The pen lights pixels 100-106 and 80-86: taken at their centre, as tracking measures it.
    EXPECT_EQ(run.Dots().points[3], cv::Point2f(103.0f, 83.0f));
    EXPECT_EQ(run.Dots().current, 6);
    EXPECT_EQ(services.asked, 0);
}

TEST_F(ManualRun, EveryDotSkippedAsksAboutTooFewAndTheirFinishFailsWithItsReason) {
    StartDotInput();
    // Every dot is offered twice; the last skip asks.
    for (int k = 0; k < 17; ++k) ASSERT_EQ(run.Trigger(), ManualTrigger::DotSkipped) << k;
    EXPECT_EQ(run.Trigger(), ManualTrigger::UserAsked);
    EXPECT_EQ(services.asked, 1);
    EXPECT_EQ(run.TakeQuestion(), IDS_MANUAL_TOO_FEW_DOTS);
    EXPECT_EQ(run.TakeQuestion(), 0);

    run.ContinueAt(kManualFinish);
    EXPECT_EQ(Deliver(1), StepResult::Failed);
    EXPECT_EQ(services.failure, AlignmentFailure::TooFewCorners);
}

// The dots as a sensor with the nine-point lens (no p2) sees them on a 1024 x 768 desktop shown
// on a 16 : 10 display, with the user's aspect set and its detection off.
TEST(ManualDotFit, NineDotsAreFittedGradedAndTrackedWithOneLensAndTheUsersAspect) {
    CameraModel truth, camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    ScreenMapping mapping{camera, geometry, pattern};
    const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f, -0.05f, 0.0f, 0.0f, 0.03f};
    mapping.SetProfiles(&lens, 1);
    mapping.SelectProfile(0);
    DetectorProfile reduced = lens;
    reduced.p2 = 0.0f;
    truth.SetIntrinsics(reduced);
    truth.SetPose(CameraPose{-560.0f, -384.0f, 1250.0f, 0.04f, -0.06f, 0.02f});
    geometry.SetDesktop(1024, 768);
    pattern.SetGrid(7, 5);
    // Work area, text height, border, caption and menu heights.
    pattern.Layout(DefaultChessboardLayout(), DesktopMetrics{{0, 0, 1024, 768}, 16, 1, 19, 19});
    mapping.SetAspectDetection(false);
    geometry.SetAspect(16.0f, 10.0f);
    const auto drawn = [&pattern](int corner) {
        const POINT p = pattern.CornerPosition(corner % 7 + 1, corner / 7 + 1);
        return cv::Point2f(static_cast<float>(p.x), static_cast<float>(p.y));
    };
    // Where the sensor sees the pen on a dot: the plane is the desktop stretched to 16 : 10.
    const auto seen = [&](int corner) {
        return truth.ProjectBoardPoint(drawn(corner).x * (16.0f / 10.0f) / (1024.0f / 768.0f), drawn(corner).y);
    };
    DotSet dots;
    dots.Begin();
    for (int corner : kDotOrder) dots.Record(seen(corner));
    EXPECT_EQ(FitManualDots(dots, mapping), std::nullopt);
    EXPECT_EQ(mapping.Figures().grade, AccuracyGrade::Good);
    EXPECT_EQ(camera.Profile().p2, 0.0f);
    // The detection left the aspect the user set.
    EXPECT_FLOAT_EQ(geometry.displayAspectWidth, 16.0f);
    EXPECT_FLOAT_EQ(geometry.displayAspectHeight, 10.0f);
    // The mapping kept after the fit puts every dot where it was drawn.
    for (int corner : kDotOrder) {
        const cv::Point2f mapped = mapping.SensorToDesktop(seen(corner).x, seen(corner).y);
        EXPECT_NEAR(mapped.x, drawn(corner).x, 1.0f) << "dot " << corner;
        EXPECT_NEAR(mapped.y, drawn(corner).y, 1.0f) << "dot " << corner;
    }
}

TEST_F(ManualAlignmentFlow, StartDropsTheKeptAlignmentAndGainAndTakesTheUsersAspect) {
    records.displayAspect = {16.0f, 10.0f, 0};
    SetMode(Mode::Track, true, true);
    controller.EnterMode(Mode::ManualAlignment);
    EXPECT_FALSE(controller.CanEnterMode(Mode::Track));
    // Gain finding is refused with a message: no alignment is in force.
    testsupport::BoxDismisser boxes;
    controller.EnterMode(Mode::FindGain);
    EXPECT_EQ(boxes.BoxesClosed(), 1);
    EXPECT_EQ(controller.CurrentMode(), Mode::ManualAlignment);
    EXPECT_FLOAT_EQ(model.geometry.displayAspectWidth, 16.0f);
    EXPECT_FLOAT_EQ(model.geometry.displayAspectHeight, 10.0f);
}

TEST_F(ManualAlignmentFlow, HotSpotCheckIsOnlyInTheDotInputAndHoldsTheFramesTillAnswered) {
    // Elsewhere Ctrl+Z only beeps.
    SetMode(Mode::Idle);
    controller.HotSpotCheck();
    EXPECT_EQ(controller.CurrentMode(), Mode::Idle);
    controller.EnterMode(Mode::ManualAlignment);
    controller.HotSpotCheck();
    EXPECT_FALSE(controller.IsBusy()) << "still in the preview";
    ReachDotInput();

    // Without a light the check tells so after 22 frames, and the run starts over.
    controller.HotSpotCheck();
    DeliverFrames(21);
    EXPECT_TRUE(TakeNotifications().empty());
    DeliverFrames(1);
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyStepEnded, 6}}));
    {
        testsupport::BoxDismisser boxes;
        controller.OnStepEnded();
        EXPECT_EQ(boxes.BoxesClosed(), 1);
    }
    EXPECT_EQ(controller.CurrentMode(), Mode::ManualAlignment);
    EXPECT_FALSE(controller.IsBusy()) << "back in the preview";
}

TEST_F(ManualAlignmentFlow, AFailedFitAsksToRedoAndNoClosesTheProgramWithoutStoringIt) {
    SetMode(Mode::Idle, true);
    ReachDotInput();
    // Nine dots input along one line of the sensor picture: no pose fits them.
    for (int dot = 0; dot < 9; ++dot) {
        PutPen(frame, 40 + 28 * dot, 117);
        DeliverFrames(1);
        std::fill(frame.begin(), frame.end(), kScreenLevel);
        DeliverFrames(1);
    }
    std::vector<std::wstring> shown;
    {
        testsupport::BoxDismisser boxes([&shown](HWND box) { shown.push_back(testsupport::WindowTexts(box)); });
        // The inputs-done notice, then the fit on the next frame.
        controller.OnStepEnded();
        DeliverFrames(1);
        // Its failure, then the redo question (answered No).
        controller.OnStepEnded();
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[1].find(L"#100"), std::wstring::npos) << "the failure's numbered message";
    const Notifications posted = TakeNotifications();
    EXPECT_NE(std::find(posted.begin(), posted.end(), std::pair<WPARAM, LPARAM>{NotifyCloseNow, 0}), posted.end());
    EXPECT_EQ(testsupport::ReadBytes(kAlignmentResultFileName), "");
}
