#include <gtest/gtest.h>

#include <vector>

#include "scene/frame_composer.h"

namespace {

struct Scene {
    explicit Scene(uint8_t level) : desktop(1024 * 768 * 4, level), frame(960 * 240) {
        settings.noise = 0.0;
        composer.Aim(settings, 1024, 768);
        composer.TakeDesktop(desktop.data(), 1024, 768);
    }
    int Red(int u, int v) const { return frame[v * 960 + u * 3 + 2]; }
    void Compose(long exposure) {
        PictureControls controls(true);
        controls.Set(ControlKind::Camera, kExposure, exposure, 0);
        SensorResponse response;
        response.Configure(controls.Values(), settings);
        composer.Compose(response, settings, PixelFormat::Rgb24, frame.data());
    }
    SensorSettings settings;
    FrameComposer composer{320, 240};
    std::vector<uint8_t> desktop;
    std::vector<uint8_t> frame;
};

}  // namespace

TEST(FrameComposer, ScreenIsBrighterThanTheRoomAndExposureScalesIt) {
    Scene scene(255);
    scene.Compose(-5);
    const int screen = scene.Red(160, 120), room = scene.Red(1, 1);
    EXPECT_GT(screen, 120);
    EXPECT_LT(room, 10);
    scene.Compose(-8);
    EXPECT_LT(scene.Red(160, 120), screen / 3);
}

TEST(FrameComposer, PenStaysBrightAtMinimumExposureAndSitsWhereProjected) {
    Scene scene(255);
    scene.settings.pen = {true, 300.0, 200.0};
    scene.Compose(-8);
    double u, v;
    ASSERT_TRUE(scene.composer.PenPixel(300.0, 200.0, &u, &v));
    const int cu = static_cast<int>(u + 0.5), cv = static_cast<int>(v + 0.5);
    EXPECT_EQ(scene.Red(cu, cv), 255);
    EXPECT_LT(scene.Red(cu + 8, cv), 100);  // the screen beside it is dim
    EXPECT_GT(scene.frame[cv * 960 + cu * 3 + 2 - 3 * 2], scene.frame[cv * 960 + cu * 3 + 1 - 3 * 2]);
}

TEST(FrameComposer, LampLightsADiskAtItsSensorPosition) {
    Scene scene(0);
    scene.settings.lamp = {true, 40.0, 200.0};
    scene.settings.lampRadius = 4.0;
    scene.Compose(-5);
    EXPECT_EQ(scene.Red(40, 200), 255);
    EXPECT_EQ(scene.Red(43, 200), 255);
    EXPECT_LT(scene.Red(47, 200), 30);
}

TEST(FrameComposer, Yuy2FrameIsTopDown) {
    Scene scene(255);
    scene.settings.lamp = {true, 20.0, 230.0};  // near the top of the picture
    PictureControls controls(true);
    SensorResponse response;
    response.Configure(controls.Values(), scene.settings);
    std::vector<uint8_t> yuy2(320 * 2 * 240);
    scene.composer.Compose(response, scene.settings, PixelFormat::Yuy2, yuy2.data());
    const int row = 240 - 1 - 230;
    EXPECT_GT(yuy2[row * 640 + 20 * 2], 200);  // luma of the lamp
    EXPECT_LT(yuy2[(239 - row) * 640 + 20 * 2], 60);
}
