// Dots input with the pen, evaluated like a board of nine corners of which six may suffice.
#include <gtest/gtest.h>

#include "alignment/dot_set.h"
#include "alignment/screen_mapping.h"
#include "test_desktop.h"

namespace {

class ManualEvaluation : public ::testing::Test {
protected:
    ManualEvaluation() {
        pattern.SetGrid(7, 5);
        pattern.Layout(DefaultChessboardLayout(), Desktop(1024, 768));
        // Focal lengths, principal point, k1, k2, p1, p2 and the two pointer offsets.
        const DetectorProfile lens{310.0f, 310.0f, 160.0f, 120.0f, -0.05f, 0.0f, 0.0f, 0.0f, 1.0f, 2.0f, -3.0f, 5.0f};
        truth.SetIntrinsics(lens);
        truth.SetPose(CameraPose{-512.0f, -384.0f, 1200.0f, 0.05f, 0.08f, -0.03f});
        geometry.SetDesktop(1024, 768);
        geometry.SetAspect(4.0f, 3.0f);
        mapping.SetProfiles(&lens, 1);
        mapping.SetAspectDetection(false);
        mapping.SetMinCorners(6);
        mapping.SetManualAlignment(true);
        mapping.SelectOffsetPairByPointCount(9);
        dots.Begin();
    }

    // The pen seen on the target dot, or the dot skipped.
    void InputTarget(bool seen) {
        const int index = dots.current;
        const POINT drawn = pattern.CornerPosition(index % 7 + 1, index / 7 + 1);
        dots.Record(seen ? truth.ProjectBoardPoint(static_cast<float>(drawn.x), static_cast<float>(drawn.y))
                         : cv::Point2f(-1.0f, -1.0f));
    }

    int Evaluate() {
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

TEST_F(ManualEvaluation, FiveDotsAreTooFew) {
    for (int i = 0; i < 9; ++i) InputTarget(i < 5);
    ASSERT_EQ(dots.done, 5);
    EXPECT_EQ(Evaluate(), 0);
    EXPECT_EQ(mapping.FailureId(), kFailureTooFewCorners);
}

TEST(ManualEvaluationLens, EveryProfileTriedKeepsTheNinePointLensSoTheFitIsTheMappingKept) {
    PatternScreen pattern;
    pattern.SetGrid(7, 5);
    pattern.Layout(DefaultChessboardLayout(), Desktop(1024, 768));
    // Two profiles with a p2 of their own; the dots are seen through the first without it.
    const DetectorProfile profiles[2] = {{300.0f, 300.0f, 160.0f, 120.0f, -0.05f, 0.0f, 0.0f, 0.04f},
                                         {330.0f, 330.0f, 160.0f, 120.0f, 0.0f, 0.0f, 0.0f, -0.04f}};
    DetectorProfile reduced = profiles[0];
    reduced.p2 = 0.0f;
    CameraModel truth;
    truth.SetIntrinsics(reduced);
    truth.SetPose(CameraPose{-512.0f, -384.0f, 1150.0f, 0.05f, -0.04f, 0.02f});
    CameraModel camera;
    DisplayGeometry geometry;
    geometry.SetDesktop(1024, 768);
    geometry.SetAspect(4.0f, 3.0f);
    ScreenMapping mapping(camera, geometry, pattern);
    mapping.SetProfiles(profiles, 2);
    mapping.SetAspectDetection(false);
    mapping.SetMinCorners(6);
    mapping.SetManualAlignment(true);
    mapping.SelectOffsetPairByPointCount(9);

    DotSet dots;
    dots.Begin();
    for (int corner : kDotOrder) {
        const POINT drawn = pattern.CornerPosition(corner % 7 + 1, corner / 7 + 1);
        dots.Record(truth.ProjectBoardPoint(static_cast<float>(drawn.x), static_cast<float>(drawn.y)));
    }
    CornerBuffer corners = dots.Corners();
    ASSERT_EQ(mapping.EvaluateChessboard(corners, corners.count), ScreenMapping::kStepSuccess);
    EXPECT_EQ(mapping.SelectedProfile(), 0);
    EXPECT_EQ(camera.Profile().p2, 0.0f);
    EXPECT_EQ(mapping.Figures().grade, AccuracyGrade::Good);
    for (int corner : kDotOrder) {
        const POINT drawn = pattern.CornerPosition(corner % 7 + 1, corner / 7 + 1);
        const cv::Point2f seen = truth.ProjectBoardPoint(static_cast<float>(drawn.x), static_cast<float>(drawn.y));
        const cv::Point2f mapped = mapping.SensorToDesktop(seen.x, seen.y);
        EXPECT_NEAR(mapped.x, drawn.x, 1.0f) << "dot " << corner;
        EXPECT_NEAR(mapped.y, drawn.y, 1.0f) << "dot " << corner;
    }
}
