// The coverage ring, the tracking area and its spy points, the screen correction and the lens
// profile file.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "alignment/coverage_ring.h"
#include "alignment/detector_file.h"
#include "alignment/screen_correction.h"
#include "test_support.h"

namespace {

CameraModel CameraAt(const CameraPose& pose) {
    CameraModel camera;
    camera.SetIntrinsics(DetectorProfile{300.0f, 300.0f, 160.0f, 120.0f, -0.1f});
    camera.SetPose(pose);
    return camera;
}

CameraModel SceneCamera(float distance) { return CameraAt({-512.0f, -384.0f, distance, 0.03f, -0.05f, 0.0f}); }

}  // namespace

TEST(CoverageRing, SixteenPointsAroundTheGrownScreenTheTrackingAreaAndItsSpyPoints) {
    const CameraModel camera = SceneCamera(1300.0f);
    DisplayGeometry geometry;
    geometry.SetDesktop(1024, 768);
    const CoverageRing ring = BuildCoverageRing(camera, geometry, 40);
    const POINT plane[16] = {{-40, -30},   {236, -30},   {512, -30},   {788, -30},
                             {1064, -30},  {1064, 177},  {1064, 384},  {1064, 591},
                             {1064, 798},  {788, 798},   {512, 798},   {236, 798},
                             {-40, 798},   {-40, 591},   {-40, 384},   {-40, 177}};
    for (int i = 0; i < 16; ++i) {
        const cv::Point2f p = camera.ProjectBoardPoint(plane[i].x, plane[i].y);
        EXPECT_EQ(std::make_pair(ring[i].x, ring[i].y), std::make_pair(static_cast<LONG>(p.x), static_cast<LONG>(p.y))) << i;
    }
    EXPECT_FALSE(RingLeavesFrame(BuildCoverageRing(camera, geometry, 0), geometry));
    EXPECT_TRUE(RingLeavesFrame(BuildCoverageRing(SceneCamera(800.0f), geometry, 0), geometry));  // too close
    for (float distance : {1300.0f, 700.0f}) {
        const RECT bounds = BuildTrackingArea(SceneCamera(distance), geometry, true).bounds;
        EXPECT_TRUE(bounds.left >= 0 && bounds.top >= 0 && bounds.right <= 320 && bounds.bottom <= 240) << distance;
    }
    EXPECT_EQ(BuildTrackingArea(SceneCamera(1300.0f), geometry, false).spyPointCount, 0);
    // The light-change watch looks two pixels in from the tracking ring's corners, so that every
    // corner gives a spy point whichever way up the sensor is mounted.
    const int corners[4] = {0, 4, 12, 8};
    const struct {
        CameraPose pose;
        POINT steps[4];
    } cases[] = {
        // Upright: the desktop's top-left is the ring's left and top.
        {{-512.0f, -384.0f, 1300.0f, 0.03f, -0.05f, 0.02f}, {{2, 2}, {-2, 2}, {2, -2}, {-2, -2}}},
        // Mirrored left to right: the desktop's top-left is the ring's right and top.
        {{512.0f, -384.0f, 1300.0f, 0.0f, 3.14159265f, 0.0f}, {{-2, 2}, {2, 2}, {-2, -2}, {2, -2}}},
    };
    for (const auto& c : cases) {
        const TrackingArea area = BuildTrackingArea(CameraAt(c.pose), geometry, true);
        ASSERT_EQ(area.spyPointCount, 4);
        for (int i = 0; i < 4; ++i) {
            const POINT corner = area.ring[corners[i]], spy = area.spyPoints[i];
            EXPECT_EQ(std::make_pair(spy.x, spy.y), std::make_pair(corner.x + c.steps[i].x, corner.y + c.steps[i].y)) << i;
        }
    }
}

TEST(ScreenCorrection, ZeroCoefficientsLeavePointsAloneAndTheFileIsWrittenWhenMissingAndReadBack) {
    ScreenCorrection c = ScreenCorrection::Defaults(1024, 768);
    c.values[ScreenCorrection::kScaleX] = 0.0f;
    c.values[ScreenCorrection::kOffsetX] = 50.0f;
    EXPECT_EQ(c.Apply({100.0f, 200.0f}), cv::Point2f(100.0f, 200.0f));

    c = ScreenCorrection::Defaults(1024, 768);
    c.values[ScreenCorrection::kK1] = 0.1f;
    // x = (1024 - 512) / 512 = 1, y = 0: radial 1.1 moves the edge out by 51.2 pixels.
    const cv::Point2f moved = c.Apply({1024.0f, 384.0f});
    EXPECT_NEAR(moved.x, 1024.0f + 51.2f, 1e-3f);
    EXPECT_NEAR(moved.y, 384.0f, 1e-3f);
    EXPECT_EQ(c.Apply({512.0f, 384.0f}), cv::Point2f(512.0f, 384.0f));
    // The file: defaults written when it is missing, a round trip, and values that are no numbers.
    testsupport::ScratchDirectory dir(L"screen");
    ASSERT_EQ(LoadScreenCorrection(c, 1023, 767), FileResult::Ok);
    EXPECT_FLOAT_EQ(c.values[ScreenCorrection::kScaleX], 511.0f);
    EXPECT_EQ(testsupport::ReadBytes(L"tavro_screen.und"),
              "1= 511\r\n2= 383\r\n3= 511\r\n4= 383\r\n5= 0\r\n6= 0\r\n7= 0\r\n8= 0\r\n9= 0\r\n"
              "a= 0\r\n");

    c.values[ScreenCorrection::kP1] = 0.0125f;
    c.modified = true;
    ASSERT_EQ(SaveScreenCorrection(c), FileResult::Ok);
    EXPECT_FALSE(c.modified);
    ScreenCorrection again;
    LoadScreenCorrection(again, 1023, 767);
    EXPECT_FLOAT_EQ(again.values[ScreenCorrection::kP1], 0.0125f);
    // Values that are no numbers keep their defaults; the lines after them are still read.
    const std::string poisoned = "1= nan\n2= inf\n3= 100\n4= 1e999\n5= 0.5\n";
    testsupport::WriteBytes(L"tavro_screen.und", poisoned.data(), poisoned.size());
    LoadScreenCorrection(again, 1024, 768);
    const std::array<float, ScreenCorrection::kValueCount> expected{512.0f, 384.0f, 100.0f, 384.0f, 0.5f};
    EXPECT_EQ(again.values, expected);
}

TEST(DetectorFile, ReadsProfilesUntilTheFirstLineThatIsNotOne) {
    testsupport::ScratchDirectory dir(L"detector");
    DetectorProfile written[2] = {{301.5f, 299.0f, 160.0f, 120.0f, -0.125f}, {}};
    written[0].offset2Y = 2.5f;
    written[1] = written[0];
    written[1].fx = 250.0f;
    ASSERT_EQ(WriteDetectorProfiles(L"lens.und", written, 2), FileResult::Ok);
    DetectorProfile read[5];
    int count = -1;
    ASSERT_EQ(ReadDetectorProfiles(L"lens.und", read, 5, count), FileResult::Ok);
    ASSERT_EQ(count, 2);
    EXPECT_FLOAT_EQ(read[0].k1, -0.125f);
    EXPECT_FLOAT_EQ(read[0].offset2Y, 2.5f);
    EXPECT_FLOAT_EQ(read[1].fx, 250.0f);

    const std::string good = "A=300\tB=300\tC=160\tD=120\tE=0\tF=0\tG=0\tH=0\tI=0\tJ=0\tK=0\tL=0\n";
    auto countOf = [&](const std::string& text) {
        testsupport::WriteBytes(L"lens.und", text.data(), text.size());
        int n = -1;
        ReadDetectorProfiles(L"lens.und", read, 5, n);
        return n;
    };
    EXPECT_EQ(countOf(good + "garbage\n" + good), 1);
    EXPECT_EQ(countOf(""), 0);
    EXPECT_EQ(countOf(std::string(5000, '7') + "\n" + good), 0);
    EXPECT_EQ(countOf(good.substr(0, good.size() - 1)), 1);  // no line end
    EXPECT_EQ(ReadDetectorProfiles(L"missing.und", read, 5, count), FileResult::CannotOpen);
}
