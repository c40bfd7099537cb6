#include <gtest/gtest.h>

#include <cmath>

#include "scene/lens_camera.h"

// The default view aims at the screen's middle, which lands on the principal point, and shows the
// screen upright over most of the frame; a view along the screen sees rays that miss it.
TEST(LensCamera, DefaultViewShowsUprightScreenCoveringMostOfTheFrameAndRaysMissingItAreRefused) {
    SensorSettings settings;
    const LensCamera camera(settings.lens, PoseForView(settings.view, settings.lens, 1024, 768));
    double u[4], v[4];
    ASSERT_TRUE(camera.Project(512, 384, &u[0], &v[0]));
    EXPECT_NEAR(u[0], settings.lens.cx, 1e-6 + std::fabs(settings.lens.p2) * 1e3);
    EXPECT_NEAR(v[0], settings.lens.cy, 1e-6 + std::fabs(settings.lens.p1) * 1e3);
    const double corners[4][2] = {{0, 0}, {1024, 0}, {1024, 768}, {0, 768}};
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(camera.Project(corners[i][0], corners[i][1], &u[i], &v[i]));
    // Desktop top (y = 0) appears at higher buffer rows than its bottom: upright in a bottom-up frame.
    EXPECT_GT(v[0], v[3]);
    EXPECT_GT(v[1], v[2]);
    EXPECT_LT(u[0], u[1]);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(u[i] > 8 && u[i] < 312 && v[i] > 8 && v[i] < 232) << u[i] << "," << v[i];
    EXPECT_GT((u[1] - u[0]) + (u[2] - u[3]), 2 * 0.7 * 320);  // the mean width

    settings.view.yawDegrees = 80.0;
    const LensCamera along(settings.lens, PoseForView(settings.view, settings.lens, 1024, 768));
    double x, y;
    EXPECT_FALSE(along.SensorToDesktop(319, 120, &x, &y) && along.SensorToDesktop(0, 120, &x, &y));
}
