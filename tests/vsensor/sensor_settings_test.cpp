#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "base/unique_handle.h"

#include "control/control_file.h"
#include "scene/sensor_settings.h"

// Every key read; a key set again takes its later line, and "pen off" keeps the position.
TEST(SensorSettings, ReadsEveryKeyAndLaterLinesWin) {
    std::string problems;
    const SensorSettings s = ParseSensorSettings(
        "# room\n"
        "lens 310 305 158 121 -0.1 0.02 0.001 -0.002\n"
        "view 10 -4 1.5 0.9 0.4 0.6\n"
        "pen 512 384 on\n"
        "pen off\n"
        "pen2 100 200 off\n"
        "lamp 40 50 on 6\n"
        "ambient 0.2   # a step\n"
        "noise 0\n"
        "fps 12\n"
        "fps 15\n"
        "capture_hz 5\n"
        "unplug 1\n"
        "formats yuy2\n"
        "exposure off\n"
        "screen 0.8 0.05\n"
        "room 0.01\n"
        "pen_radiance 20\n",
        &problems);
    EXPECT_EQ(problems, "");
    EXPECT_DOUBLE_EQ(s.lens.fx, 310);
    EXPECT_DOUBLE_EQ(s.lens.p2, -0.002);
    EXPECT_DOUBLE_EQ(s.view.yawDegrees, 10);
    EXPECT_DOUBLE_EQ(s.view.aimY, 0.6);
    EXPECT_FALSE(s.pen.on);
    EXPECT_DOUBLE_EQ(s.pen.x, 512);
    EXPECT_FALSE(s.pen2.on);
    EXPECT_TRUE(s.lamp.on);
    EXPECT_DOUBLE_EQ(s.lampRadius, 6);
    EXPECT_DOUBLE_EQ(s.ambient, 0.2);
    EXPECT_DOUBLE_EQ(s.noise, 0);
    EXPECT_DOUBLE_EQ(s.fps, 15);
    EXPECT_DOUBLE_EQ(s.captureHz, 5);
    EXPECT_TRUE(s.unplugged);
    EXPECT_EQ(s.formats, FormatSet::Yuy2);
    EXPECT_FALSE(s.exposureControl);
    EXPECT_DOUBLE_EQ(s.screenWhite, 0.8);
    EXPECT_DOUBLE_EQ(s.room, 0.01);
    EXPECT_DOUBLE_EQ(s.penRadiance, 20);
}

TEST(SensorSettings, BadLinesAreSkippedAndNamed) {
    std::string problems;
    const SensorSettings s = ParseSensorSettings(
        "fps 0\nfps abc\nlens -1 300 160 120\nview 1 2\npen 1 2 maybe\nwobble 3\npose 1 2 3\nfps nan\nnoise 2\n",
        &problems);
    const SensorSettings defaults;
    EXPECT_DOUBLE_EQ(s.fps, defaults.fps);
    EXPECT_DOUBLE_EQ(s.lens.fx, defaults.lens.fx);
    EXPECT_FALSE(s.pen.on);
    EXPECT_FALSE(s.view.explicitPose);
    EXPECT_DOUBLE_EQ(s.noise, 2);
    EXPECT_EQ(problems,
              "line 1: fps 0\nline 2: fps abc\nline 3: lens -1 300 160 120\nline 4: view 1 2\n"
              "line 5: pen 1 2 maybe\nline 6: wobble 3\nline 7: pose 1 2 3\nline 8: fps nan\n");
}

// Two writes within one file-time tick, of the same size: the pen's second place must reach the
// picture, or a scenario's next step films a pen that has already moved on.
TEST(ControlFileRefresh, SeesEveryChangeOfTextAndAMissingFile) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"tavro-control-refresh.txt";
    // Every write carries the same time stamp, as writes within one tick of the file clock do.
    const auto write = [&path](const char* text) {
        UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr));
        const FILETIME tick{0x12345678u, 0x01d00000u};
        ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &tick));
    };
    ControlFile control(path);
    SensorSettings settings;
    write("pen 100 200 on\n");
    ASSERT_TRUE(control.Refresh(&settings));
    EXPECT_DOUBLE_EQ(settings.pen.x, 100);
    EXPECT_FALSE(control.Refresh(&settings));
    write("pen 300 400 on\n");
    ASSERT_TRUE(control.Refresh(&settings));
    EXPECT_DOUBLE_EQ(settings.pen.x, 300);
    DeleteFileW(path.c_str());
    ASSERT_TRUE(control.Refresh(&settings));
    EXPECT_FALSE(settings.pen.on);
}
