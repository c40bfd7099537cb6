#pragma once
// The sensor and how fast its frames come.
#include "capture/frame_rate_monitor.h"
#include "capture/sensor_device.h"

#include <atomic>

struct SensorSide {
    SensorDevice device;
    FrameRateMonitor frameRate;
    // The frame-rate verdict the main window last showed (0 none, 1 slow, 2 normal).
    std::atomic<int> shownFrameRate{0};
};
