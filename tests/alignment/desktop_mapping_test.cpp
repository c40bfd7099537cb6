#include <gtest/gtest.h>

#include "alignment/desktop_mapping.h"

namespace {

TEST(MapToDesktopTest, CorrectionThenTheSelectedPointerOffset) {
    // Focal lengths, principal point, no distortion, then the two pointer-offset pairs.
    const DetectorProfile lens{300.0f, 310.0f, 158.0f, 123.0f, 0.0f, 0.0f, 0.0f, 0.0f, 4.0f, -2.0f, 9.0f, 7.0f};
    CameraModel camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    ScreenMapping mapping(camera, geometry, pattern);
    mapping.SetProfiles(&lens, 1);
    ASSERT_TRUE(mapping.SelectProfile(0));
    ASSERT_TRUE(camera.SetPose({-480.0f, -330.0f, 1250.0f, 0.12f, -0.18f, 0.04f}));

    ScreenCorrection correction = ScreenCorrection::Defaults(1024, 768);
    const cv::Point2f plain = mapping.SensorToDesktop(150.0f, 100.0f);
    const cv::Point2f mapped = MapToDesktop(mapping, correction, {150.0f, 100.0f});
    EXPECT_FLOAT_EQ(mapped.x, plain.x + 4.0f);
    EXPECT_FLOAT_EQ(mapped.y, plain.y - 2.0f);

    correction.values[ScreenCorrection::kK1] = 0.05f;
    correction.values[ScreenCorrection::kOffsetX] = 1.5f;
    const cv::Point2f corrected = correction.Apply(plain);
    ASSERT_NE(corrected.x, plain.x);
    mapping.SelectOffsetPairByPointCount(9);
    const cv::Point2f second = MapToDesktop(mapping, correction, {150.0f, 100.0f});
    EXPECT_FLOAT_EQ(second.x, corrected.x + 9.0f);
    EXPECT_FLOAT_EQ(second.y, corrected.y + 7.0f);
}

}  // namespace
