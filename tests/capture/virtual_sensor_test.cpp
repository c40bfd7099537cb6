// The sensor device and its renderer in the platform's filter graph, fed by the virtual sensor,
// which scripts/test installs in the test prefix (scripts/vsensor-install). The frame rate itself
// is measured by the sensor_frame_rate scenario.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "capture/sensor_device.h"
#include "renderer_test_support.h"

namespace {

const SensorIdentity kIdentity{L"VID_05E1&PID_0500", L"USB2.0 VGA WebCam", L"Tavro"};

// Live COM objects of the virtual sensor's DLL, or -1 when it is not loaded.
long VirtualSensorObjects() {
    HMODULE module = GetModuleHandleW(L"vsensor.dll");
    if (!module) return -1;
    using Counter = long(__stdcall*)();
    auto counter = reinterpret_cast<Counter>(reinterpret_cast<void*>(GetProcAddress(module, "VSensorLiveObjects")));
    return counter ? counter() : -1;
}

bool WaitForFrames(const RecordingSink& sink, int count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (sink.frames < count) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST(VirtualSensor, FramesFlowOnTheStreamingThreadStopWithTheGraphAndAllIsReleased) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        SensorDevice sensor;
        const SensorMatch match = sensor.Open(kIdentity);
        ASSERT_NE(match, SensorMatch::NotFound)
            << "no virtual sensor in this Wine prefix: scripts/vsensor-install puts it there";
        ASSERT_EQ(match, SensorMatch::Matched);
        RecordingSink sink;
        ASSERT_EQ(sensor.Start(nullptr, &sink, 320, 240), 1);
        EXPECT_EQ(sensor.State(), GraphState::Running);
        EXPECT_EQ(sensor.Format(), CaptureFormat::Rgb24);
        EXPECT_EQ(sink.prepared, 1);
        EXPECT_EQ(sink.header.biWidth, 320);
        EXPECT_EQ(std::labs(sink.header.biHeight), 240);
        EXPECT_EQ(sensor.Start(nullptr, &sink, 320, 240), 4);
        EXPECT_TRUE(sensor.Properties().IsExposureGain());

        EXPECT_TRUE(WaitForFrames(sink, 5));
        EXPECT_NE(sink.frameThread, GetCurrentThreadId());

        EXPECT_EQ(sensor.Stop(), 1);
        EXPECT_EQ(sensor.State(), GraphState::Stopped);
        const int afterStop = sink.frames;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(sink.frames, afterStop);
        EXPECT_EQ(sensor.Run(), 1);
        EXPECT_TRUE(WaitForFrames(sink, afterStop + 1));
        sensor.Close();
        const int afterClose = sink.frames;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(sink.frames, afterClose);
        EXPECT_EQ(VirtualSensorObjects(), 0);
    }
    CoUninitialize();
}

}  // namespace
