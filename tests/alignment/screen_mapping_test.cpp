// Fitting, grading and refining the sensor-to-desktop mapping on corner sets seen through a
// known camera.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "alignment/screen_mapping.h"
#include "test_desktop.h"

namespace {

// Focal lengths, principal point, k1, k2, p1, p2 and the two pointer offsets.
DetectorProfile TrueLens() { return {300.0f, 300.0f, 160.0f, 120.0f, -0.12f, 0.02f, 0.0f, 0.0f, 1.5f, -2.0f, 3.0f, 4.0f}; }

DetectorProfile TrueLensWith(float focal, float k1, float k2) {
    DetectorProfile lens = TrueLens();
    lens.fx = lens.fy = focal;
    lens.k1 = k1;
    lens.k2 = k2;
    return lens;
}

CameraPose TruePose(float planeWidth) {
    return CameraPose{-planeWidth / 2.0f, -384.0f, 1150.0f, 0.06f, -0.09f, 0.02f};
}

// A 1024 x 768 desktop on a display whose physical aspect gives the plane factor, seen by the
// true camera; the mapping under test starts from the given lens profile and a 4 : 3 guess.
class MappingFixture : public ::testing::Test {
protected:
    void SetUpScene(float trueFactor, const std::vector<DetectorProfile>& profiles = {TrueLens()},
                    const DetectorProfile& trueLens = TrueLens()) {
        pattern.SetGrid(7, 5);
        pattern.Layout(DefaultChessboardLayout(), Desktop(1024, 768));
        truth.SetIntrinsics(trueLens);
        ASSERT_TRUE(truth.SetPose(TruePose(1024.0f * trueFactor)));
        geometry.SetDesktop(1024, 768);
        geometry.SetAspect(4.0f, 3.0f);
        mapping.SetProfiles(profiles.data(), static_cast<int>(profiles.size()));
        mapping.SetAspectSaver([this](float w, float h) { savedAspect = {w, h}; });
        factor = trueFactor;
        for (int i = 0; i < 35; ++i) corners.points[i] = SeenCorner(i);
        corners.count = 35;
    }

    cv::Point2f Drawn(int i) const {
        const POINT drawn = pattern.CornerPosition(i % 7 + 1, i / 7 + 1);
        return {static_cast<float>(drawn.x), static_cast<float>(drawn.y)};
    }
    cv::Point2f SeenCorner(int i) const { return truth.ProjectBoardPoint(Drawn(i).x * factor, Drawn(i).y); }

    // How far `judged` puts what the true camera sees at desktop point `p` from that point
    // (scaled to the desktop the mapping now serves).
    double ErrorAt(const ScreenMapping& judged, cv::Point2f p, cv::Point2f scale = {1.0f, 1.0f}) const {
        const cv::Point2f seen = truth.ProjectBoardPoint(p.x * factor, p.y);
        const cv::Point2f mapped = judged.SensorToDesktop(seen.x, seen.y);
        return std::hypot(mapped.x - p.x * scale.x, mapped.y - p.y * scale.y);
    }
    double MaxCornerError(cv::Point2f scale = {1.0f, 1.0f}) const {
        double worst = 0.0;
        for (int i = 0; i < 35; ++i) worst = std::max(worst, ErrorAt(mapping, Drawn(i), scale));
        return worst;
    }
    double MeanFigure() const { return std::hypot(mapping.Figures().averageErrorX, mapping.Figures().averageErrorY); }

    // Mean and worst pointer error over a 10 x 10 grid spread to within 5 % of the desktop's
    // edges, where the board's corners never reach.
    cv::Point2d GridErrors(const ScreenMapping& judged) const {
        double sum = 0.0, worst = 0.0;
        for (int i = 0; i < 100; ++i) {
            const double error = ErrorAt(judged, {1024.0f * (0.05f + 0.1f * (i % 10)), 768.0f * (0.05f + 0.1f * (i / 10))});
            sum += error;
            worst = std::max(worst, error);
        }
        return {sum / 100.0, worst};
    }

    // A picture as the true camera sees it: each sensor pixel averages 4 x 4 samples of the
    // level `level` gives a plane point.
    template <typename Level>
    cv::Mat Render(Level level) const {
        cv::Mat picture(240, 320, CV_8UC1);
        for (int v = 0; v < picture.rows; ++v)
            for (int u = 0; u < picture.cols; ++u) {
                float sum = 0.0f;
                for (int k = 0; k < 16; ++k)
                    sum += level(truth.SensorToBoard(u - 0.375f + 0.25f * (k % 4),
                                                     v - 0.375f + 0.25f * (k / 4)));
                picture.at<uchar>(v, u) = cv::saturate_cast<uchar>(sum / 16.0f);
            }
        return picture;
    }

    bool OnScreen(cv::Point2f p) const {
        return p.x >= 0.0f && p.x < 1024.0f * factor && p.y >= 0.0f && p.y < 768.0f;
    }

    // The lit and the dark screen, the lit one 200 levels above the dark one and the room.
    void RenderReferences(cv::Mat& white, cv::Mat& black) const {
        black = cv::Mat(240, 320, CV_8UC1, cv::Scalar(30));
        white = Render([this](cv::Point2f p) { return OnScreen(p) ? 230.0f : 30.0f; });
    }

    PatternScreen pattern;
    CameraModel truth;
    CameraModel camera;
    DisplayGeometry geometry;
    ScreenMapping mapping{camera, geometry, pattern};
    CornerBuffer corners;
    float factor = 1.0f;
    cv::Point2f savedAspect;
};

}  // namespace

TEST(AccuracyGrades, BoundariesAtSixAndFifteen) {
    using G = AccuracyGrade;
    const struct { float x, y; G grade; } cases[] = {{5.99f, 5.99f, G::Good}, {6.0f, 0.0f, G::Coarse},
        {0.0f, 6.0f, G::Coarse}, {14.99f, 14.99f, G::Coarse}, {15.0f, 1.0f, G::Bad}, {1.0f, 15.0f, G::Bad}};
    for (const auto& c : cases) EXPECT_EQ(GradeForAverageErrors(c.x, c.y), c.grade) << c.x << " " << c.y;
}

TEST_F(MappingFixture, ExactBoardEvaluatesGoodMapsEveryCornerBackAndRestoresOnAnotherDesktop) {
    SetUpScene(1.0f);
    ASSERT_EQ(mapping.EvaluateChessboard(corners, 35), FitResult::Fitted);
    const AccuracyFigures& figures = mapping.Figures();
    EXPECT_EQ(figures.grade, AccuracyGrade::Good);
    EXPECT_LT(std::max(figures.averageErrorX, figures.averageErrorY), 0.3f);
    EXPECT_EQ(figures.lostCorners + figures.badCorners, 0);
    EXPECT_NEAR(geometry.Factor(), 1.0f, 0.01f);
    EXPECT_LT(MaxCornerError(), 0.5);

    // The stored alignment restored while the same projected screen shows an 800 x 600 desktop.
    AlignmentRecord record = DefaultAlignmentResult();
    mapping.StoreAlignment(record);
    geometry.SetDesktop(800, 600);
    camera.SetPose(CameraPose{1, 1, 1, 0, 0, 0});
    ASSERT_EQ(mapping.RestoreAlignment(record), FitResult::Fitted);
    EXPECT_LT(MaxCornerError({800.0f / 1024.0f, 600.0f / 768.0f}), 0.7);
    record.posePoints.count = 5;
    EXPECT_EQ(mapping.RestoreAlignment(record), FitResult::Failed);
}

TEST_F(MappingFixture, LensTheProfileDoesNotKnowIsRefinedReportedHonestlyAndKept) {
    const DetectorProfile shipped = TrueLensWith(300.0f, -0.05f, 0.01f);
    SetUpScene(1.0f, {shipped}, TrueLensWith(285.0f, -0.25f, 0.05f));
    // The finder's corners are off by a tenth of a pixel or so.
    for (int i = 0; i < 35; ++i)
        corners.points[i] += cv::Point2f(0.1f * std::sin(i * 12.9898f), 0.1f * std::cos(i * 78.233f));
    const CornerBuffer found = corners;
    cv::Mat white, black;
    RenderReferences(white, black);

    mapping.SelectProfile(0);
    ASSERT_EQ(mapping.FitAndGrade(corners), FitResult::Fitted);
    const cv::Point2d profileOnly = GridErrors(mapping);

    corners = found;
    mapping.SetScreenReferences(white, black, cv::Rect(0, 0, 1024, 768));
    ASSERT_EQ(mapping.EvaluateChessboard(corners, 35), FitResult::Fitted);
    const cv::Point2d refined = GridErrors(mapping);
    EXPECT_GT(profileOnly.y, 3.0);
    // Beyond the board, out to the screen's own corners, the outline keeps the pointer close.
    EXPECT_LT(refined.y, 1.0);
    for (const cv::Point2f corner : {cv::Point2f(0, 0), cv::Point2f(1024, 0), cv::Point2f(0, 768), cv::Point2f(1024, 768)})
        EXPECT_LT(ErrorAt(mapping, corner), 1.5) << corner;
    // The figures are errors on corners held out of the fit: near what the pen will see.
    EXPECT_EQ(mapping.Figures().grade, AccuracyGrade::Good);
    EXPECT_NEAR(MeanFigure(), refined.x, 1.0);

    // The refined lens goes into the record, and a restore maps with it again.
    AlignmentRecord record = DefaultAlignmentResult();
    mapping.StoreAlignment(record);
    EXPECT_NEAR(record.refinedLens.k1, -0.25f, 0.1f);
    CameraModel restoredCamera;
    ScreenMapping restored{restoredCamera, geometry, pattern};
    restored.SetProfiles(&shipped, 1);
    ASSERT_TRUE(restored.SelectProfile(record.profileIndex));
    ASSERT_EQ(restored.RestoreAlignment(record), FitResult::Fitted);
    EXPECT_NEAR(GridErrors(restored).y, refined.y, 0.2);
}

TEST_F(MappingFixture, ScreenOutlineLiesOnTheLitEdgesAndNeedsALitScreen) {
    SetUpScene(1.0f, {TrueLensWith(300.0f, -0.05f, 0.02f)});
    // Searched where a fit with the wrong lens expects the edges.
    mapping.SelectProfile(0);
    ASSERT_EQ(mapping.FitAndGrade(corners), FitResult::Fitted);
    // The worst distance of the points (the top's only with `top`), mapped by the true camera,
    // from the side of `lit` each was found on.
    auto worstAcross = [&](const OutlinePoints& outline, const cv::Rect2f& lit, bool top = true) {
        float worst = 0.0f;
        for (int i = 0; i < outline.count; ++i) {
            const cv::Point2f p = truth.SensorToBoard(outline.sensor[i].x, outline.sensor[i].y);
            const ScreenSide side = outline.side[i];
            if (!top && side == ScreenSide::Top) continue;
            const float across = side == ScreenSide::Left    ? p.x - lit.x
                                 : side == ScreenSide::Right ? p.x - lit.x - lit.width
                                 : side == ScreenSide::Top   ? p.y - lit.y
                                                             : p.y - lit.y - lit.height;
            worst = std::max(worst, std::fabs(across));
        }
        return worst;
    };
    // About 4 desktop pixels a sensor pixel here: within a sixth of a sensor pixel.
    const cv::Rect2f desktop(0.0f, 0.0f, 1024.0f, 768.0f);
    cv::Mat white, black;
    RenderReferences(white, black);
    const OutlinePoints whole = FindScreenOutline(white, black, camera, desktop, desktop);
    EXPECT_EQ(whole.count, OutlinePoints::kCapacity);
    EXPECT_LT(worstAcross(whole, desktop), 0.7f);

    // The program's window: a dark caption and a menu bar as bright in both references above
    // the client area they light, the desktop beyond it as dark as the dark screen.
    const cv::Rect2f window(0.0f, 38.0f, 1016.0f, 722.0f);
    auto level = [&](cv::Point2f p, float client) {
        return !OnScreen(p) ? 20.0f : window.contains(p) ? client : p.y >= 18.0f && p.y < 38.0f ? 240.0f : 50.0f;
    };
    const cv::Mat dark = Render([&](cv::Point2f p) { return level(p, 50.0f); });
    const cv::Mat lit = Render([&](cv::Point2f p) { return level(p, 230.0f); });
    const OutlinePoints below = FindScreenOutline(lit, dark, camera, desktop, window);
    EXPECT_EQ(below.count, OutlinePoints::kCapacity);
    EXPECT_LT(worstAcross(below, window), 0.7f);
    // Where the white clips, the dark screen places the desktop's own edges (at the top the
    // bar's).
    const cv::Mat clipped = Render([&](cv::Point2f p) { return level(p, 255.0f); });
    const OutlinePoints barred = FindScreenOutline(clipped, dark, camera, desktop, window);
    EXPECT_EQ(std::count(barred.side.begin(), barred.side.begin() + barred.count, ScreenSide::Top),
              barred.count - 3 * OutlinePoints::kPerSide);
    EXPECT_LT(worstAcross(barred, desktop, false), 0.7f);

    EXPECT_EQ(FindScreenOutline(black, black, camera, desktop, desktop).count, 0);
    EXPECT_EQ(FindScreenOutline(white, cv::Mat(), camera, desktop, desktop).count, 0);
}

TEST_F(MappingFixture, AspectSearchRecoversSixteenByNineDisplayUnlessItIsOff) {
    SetUpScene((16.0f / 9.0f) / (1024.0f / 768.0f));
    const CornerBuffer found = corners;
    ASSERT_EQ(mapping.EvaluateChessboard(corners, 35), FitResult::Fitted);
    EXPECT_NEAR(geometry.displayAspectWidth / geometry.displayAspectHeight, 16.0f / 9.0f, 0.01f);
    EXPECT_NEAR(geometry.Factor(), 1.3333f, 0.01f);
    EXPECT_NEAR(savedAspect.x / savedAspect.y, 16.0f / 9.0f, 0.01f);
    EXPECT_EQ(mapping.Figures().grade, AccuracyGrade::Good);
    EXPECT_LT(MaxCornerError(), 1.0);

    corners = found;
    geometry.SetAspect(5.0f, 4.0f);
    mapping.SetAspectDetection(false);
    mapping.EvaluateChessboard(corners, 35);
    EXPECT_EQ(savedAspect, cv::Point2f(5.0f, 4.0f));
    EXPECT_FLOAT_EQ(geometry.displayAspectHeight, 4.0f);
}

TEST_F(MappingFixture, PrincipalPointSearchLowersTheErrorOfAnOffCentreProfile) {
    DetectorProfile offCentre = TrueLens();
    offCentre.cx += 6.0f;
    offCentre.cy -= 6.0f;
    SetUpScene(1.0f, {offCentre});
    mapping.SelectProfile(0);
    CornerBuffer unrefined = corners;
    ASSERT_EQ(mapping.FitAndGrade(unrefined), FitResult::Fitted);
    const double before = MeanFigure();
    ASSERT_EQ(mapping.EvaluateChessboard(corners, 35), FitResult::Fitted);
    EXPECT_LT(MeanFigure(), before);
}

TEST_F(MappingFixture, CornerOffByFifteenIsMarkedBadAndLeftOutOfTheNextFit) {
    SetUpScene(1.0f);
    mapping.SelectProfile(0);
    corners.points[10].x += 8.0f;  // about 25 desktop pixels at this distance
    ASSERT_EQ(mapping.FitAndGrade(corners), FitResult::Fitted);
    EXPECT_EQ(mapping.Figures().badCorners, 1);
    EXPECT_TRUE(corners.points[10].x < 0.0f && corners.points[10].y < 0.0f) << corners.points[10];

    ASSERT_EQ(mapping.FitAndGrade(corners), FitResult::Fitted);
    EXPECT_EQ(mapping.Figures().badCorners, 1);
    EXPECT_EQ(mapping.Figures().grade, AccuracyGrade::Good);
    EXPECT_LT(mapping.Figures().maxErrorX, 1.0f);
}

// Sixteen corners of a board are too few. (Too few of manual alignment's dots are
// FitManualDots' case.)
TEST_F(MappingFixture, TooFewCornersFailAndSayWhy) {
    SetUpScene(1.0f);
    for (int i = 16; i < 35; ++i) corners.points[i] = {0.0f, 0.0f};
    EXPECT_EQ(mapping.FitAndGrade(corners), FitResult::Failed);
    EXPECT_EQ(mapping.Failure(), AlignmentFailure::TooFewCorners);
    EXPECT_EQ(mapping.EvaluateChessboard(corners, 16), FitResult::Failed);
    EXPECT_EQ(mapping.Failure(), AlignmentFailure::TooFewCorners);
}

// Which offset pair goes with the point count is MapToDesktop's test; here, a profile without a
// focal length is never applied.
TEST_F(MappingFixture, ProfileWithoutFocalLengthIsNeverApplied) {
    SetUpScene(1.0f);
    mapping.SelectProfile(0);
    DetectorProfile zeroFocal = TrueLens();
    zeroFocal.fx = 0.0f;
    mapping.SetProfiles(&zeroFocal, 1);
    EXPECT_TRUE(mapping.SelectProfile(0));
    EXPECT_FLOAT_EQ(camera.Profile().fx, 300.0f);
    EXPECT_FALSE(mapping.SelectProfile(1));
}

// Of several profiles the one whose fit has the smallest error is kept. (The nine dots' fit with
// the nine-point lens is FitManualDots' test.)
TEST_F(MappingFixture, SeveralProfilesAreTriedAndTheBestFitKept) {
    const std::vector<DetectorProfile> profiles = {TrueLensWith(330.0f, 0.0f, 0.0f), TrueLens(), TrueLensWith(270.0f, 0.0f, 0.0f)};
    SetUpScene(1.0f, profiles);
    mapping.SetAspectDetection(false);
    ASSERT_EQ(mapping.EvaluateChessboard(corners, 35), FitResult::Fitted);
    EXPECT_EQ(mapping.SelectedProfile(), 1);
    EXPECT_EQ(mapping.Figures().grade, AccuracyGrade::Good);
}
