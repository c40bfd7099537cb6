#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <iterator>
#include <tuple>

#include "base/unique_handle.h"

#include "control/control_file.h"
#include "scene/sensor_settings.h"

// Every key read; a key set again takes its later line, and "pen off" keeps the position.
TEST(SensorSettings, ReadsEveryKeyAndLaterLinesWin) {
    std::string problems;
    const SensorSettings s = ParseSensorSettings(
        "# room\nlens 310 305 158 121 -0.1 0.02 0.001 -0.002\nview 10 -4 1.5 0.9 0.4 0.6\npen 512 384 on\n"
        "pen off\npen2 100 200 off\nlamp 40 50 on 6\nambient 0.2   # a step\nnoise 0\nfps 12\nfps 15\n"
        "capture_hz 5\nunplug 1\nformats yuy2\nexposure off\nscreen 0.8 0.05\nroom 0.01\npen_radiance 20\n",
        &problems);
    EXPECT_EQ(problems, "");
    const double read[] = {s.lens.fx, s.lens.p2, s.view.yawDegrees, s.view.aimY, s.pen.x, s.lampRadius, s.ambient,
                           s.noise, s.fps, s.captureHz, s.screenWhite, s.room, s.penRadiance};
    const double written[] = {310, -0.002, 10, 0.6, 512, 6, 0.2, 0, 15, 5, 0.8, 0.01, 20};
    for (size_t i = 0; i < std::size(read); ++i) EXPECT_DOUBLE_EQ(read[i], written[i]) << i;
    EXPECT_EQ(std::make_tuple(s.pen.on, s.pen2.on, s.lamp.on, s.unplugged, s.exposureControl, s.formats),
              std::make_tuple(false, false, true, true, false, FormatSet::Yuy2));
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
