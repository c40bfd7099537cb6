// Dots input with the pen, evaluated like a board of nine corners of which six may suffice.
#include <gtest/gtest.h>

#include "alignment/dot_set.h"
#include "alignment/screen_mapping.h"
#include "test_desktop.h"

namespace {

// The nine dots on a 1024 x 768 desktop, seen through `seenThrough` and evaluated with the
// mapping's profiles the way manual alignment does.
class ManualEvaluation : public ::testing::Test {
protected:
    void SetUpScene(const DetectorProfile* profiles, int count, const DetectorProfile& seenThrough) {
        pattern.SetGrid(7, 5);
        pattern.Layout(DefaultChessboardLayout(), Desktop(1024, 768));
        truth.SetIntrinsics(seenThrough);
        truth.SetPose(CameraPose{-512.0f, -384.0f, 1150.0f, 0.05f, -0.04f, 0.02f});
        geometry.SetDesktop(1024, 768);
        geometry.SetAspect(4.0f, 3.0f);
        mapping.SetProfiles(profiles, count);
        mapping.SetAspectDetection(false);
        mapping.SetMinCorners(6);
        mapping.SetManualAlignment(true);
        mapping.SelectOffsetPairByPointCount(9);
        dots.Begin();
    }

    cv::Point2f Seen(int corner) const {
        const POINT drawn = pattern.CornerPosition(corner % 7 + 1, corner / 7 + 1);
        return truth.ProjectBoardPoint(static_cast<float>(drawn.x), static_cast<float>(drawn.y));
    }

    FitResult Evaluate() {
        CornerBuffer corners = dots.Corners();
        return mapping.EvaluateChessboard(corners, corners.count);
    }

    PatternScreen pattern;
    CameraModel truth;
    CameraModel camera;
    DisplayGeometry geometry;
    ScreenMapping mapping{camera, geometry, pattern};
    DotSet dots;
};

}  // namespace

TEST_F(ManualEvaluation, EveryProfileTriedKeepsTheNinePointLensSoTheFitIsTheMappingKept) {
    // Two profiles with a p2 of their own; the dots are seen through the first without it.
    const DetectorProfile profiles[2] = {{300.0f, 300.0f, 160.0f, 120.0f, -0.05f, 0.0f, 0.0f, 0.04f},
                                         {330.0f, 330.0f, 160.0f, 120.0f, 0.0f, 0.0f, 0.0f, -0.04f}};
    DetectorProfile reduced = profiles[0];
    reduced.p2 = 0.0f;
    SetUpScene(profiles, 2, reduced);
    for (int corner : kDotOrder) dots.Record(Seen(corner));
    ASSERT_EQ(Evaluate(), FitResult::Fitted);
    EXPECT_EQ(mapping.SelectedProfile(), 0);
    EXPECT_EQ(camera.Profile().p2, 0.0f);
    EXPECT_EQ(mapping.Figures().grade, AccuracyGrade::Good);
    for (int corner : kDotOrder) {
        const POINT drawn = pattern.CornerPosition(corner % 7 + 1, corner / 7 + 1);
        const cv::Point2f mapped = mapping.SensorToDesktop(Seen(corner).x, Seen(corner).y);
        EXPECT_NEAR(mapped.x, drawn.x, 1.0f) << "dot " << corner;
        EXPECT_NEAR(mapped.y, drawn.y, 1.0f) << "dot " << corner;
    }
}
