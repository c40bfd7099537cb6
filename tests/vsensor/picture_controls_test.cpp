#include <gtest/gtest.h>

#include "scene/picture_controls.h"

TEST(PictureControls, OffersAllIdsWithRanges) {
    PictureControls controls(true);
    ControlLimits limits;
    for (long id = 0; id < 10; ++id) EXPECT_TRUE(controls.Range(ControlKind::ProcAmp, id, &limits)) << id;
    for (long id = 0; id < 7; ++id) EXPECT_TRUE(controls.Range(ControlKind::Camera, id, &limits)) << id;
    EXPECT_FALSE(controls.Range(ControlKind::ProcAmp, 10, &limits));
    EXPECT_FALSE(controls.Range(ControlKind::Camera, -1, &limits));
    ASSERT_TRUE(controls.Range(ControlKind::Camera, kExposure, &limits));
    EXPECT_EQ(limits.minimum, -8);
    EXPECT_EQ(limits.maximum, -1);
}

TEST(PictureControls, RefusesValuesOutsideTheRangeAndCanWithdrawExposure) {
    PictureControls controls(true);
    EXPECT_TRUE(controls.Set(ControlKind::Camera, kExposure, -2, 0));
    EXPECT_FALSE(controls.Set(ControlKind::Camera, kExposure, 0, 0));
    long value = 0, flags = 9;
    ASSERT_TRUE(controls.Get(ControlKind::Camera, kExposure, &value, &flags));
    EXPECT_EQ(value, -2);
    EXPECT_EQ(flags, 0);
    EXPECT_TRUE(controls.Set(ControlKind::ProcAmp, kBrightness, 80, 2));
    EXPECT_EQ(controls.Values().procAmp[kBrightness], 80);
    // The exposure control can be withdrawn; the others stay.
    PictureControls withoutExposure(false);
    ControlLimits limits;
    EXPECT_FALSE(withoutExposure.Range(ControlKind::Camera, kExposure, &limits));
    EXPECT_FALSE(withoutExposure.Set(ControlKind::Camera, kExposure, -5, 0));
    EXPECT_FALSE(withoutExposure.Get(ControlKind::Camera, kExposure, &value, &flags));
    EXPECT_TRUE(withoutExposure.Range(ControlKind::Camera, 3, &limits));
}
