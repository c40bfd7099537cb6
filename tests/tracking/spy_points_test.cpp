// Where the light-change watch looks: two pixels in from the tracking ring's corners, so that
// every corner gives a spy point whichever way up the sensor is mounted.
#include <gtest/gtest.h>

#include "alignment/coverage_ring.h"

namespace {

CameraModel Camera(const CameraPose& pose) {
    CameraModel camera;
    camera.SetIntrinsics(DetectorProfile{300.0f, 300.0f, 160.0f, 120.0f, -0.05f});
    camera.SetPose(pose);
    return camera;
}

DisplayGeometry Desktop() {
    DisplayGeometry geometry;
    geometry.SetDesktop(1024, 768);
    return geometry;
}

void ExpectMovedCorners(const TrackingArea& area, const POINT (&steps)[4]) {
    const int corners[4] = {0, 4, 12, 8};
    ASSERT_EQ(area.spyPointCount, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(area.spyPoints[i].x, area.ring[corners[i]].x + steps[i].x) << i;
        EXPECT_EQ(area.spyPoints[i].y, area.ring[corners[i]].y + steps[i].y) << i;
    }
}

}  // namespace

TEST(SpyPoints, UprightSensorGetsAllFourCornersMovedInwards) {
    const TrackingArea area =
        BuildTrackingArea(Camera({-512.0f, -384.0f, 1300.0f, 0.03f, -0.05f, 0.02f}), Desktop(), true);
    // The desktop's top-left is the ring's left and top here.
    ExpectMovedCorners(area, {{2, 2}, {-2, 2}, {2, -2}, {-2, -2}});
}

TEST(SpyPoints, LeftRightMirroredViewMovesThemTheOtherWay) {
    // The desktop's top-left is the ring's right and top.
    const TrackingArea area =
        BuildTrackingArea(Camera({512.0f, -384.0f, 1300.0f, 0.0f, 3.14159265f, 0.0f}), Desktop(), true);
    ExpectMovedCorners(area, {{-2, 2}, {2, 2}, {-2, -2}, {2, -2}});
}
