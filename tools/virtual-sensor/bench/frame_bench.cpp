// Cost of the virtual sensor's work per frame (composing a 320 x 240 frame), per desktop grab
// (sampling a 1024 x 768 desktop) and per pose change (rebuilding the sampling taps).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "scene/frame_composer.h"

namespace {

double Microseconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1e6 / frequency.QuadPart;
}

void Measure(const char* name, int runs, const std::function<void(int)>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Microseconds();
        work(i);
        times.push_back(Microseconds() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("BENCH %s median_us=%.0f p99_us=%.0f\n", name, times[times.size() / 2],
                times[std::min(times.size() - 1, times.size() * 99 / 100)]);
}

}  // namespace

int main() {
    std::vector<uint8_t> desktop(1024 * 768 * 4);
    for (size_t i = 0; i < desktop.size(); ++i) desktop[i] = static_cast<uint8_t>((i / 4 % 1024) / 4);
    std::vector<uint8_t> frame(960 * 240);
    SensorSettings settings;
    settings.pen = {true, 500.0, 400.0};
    FrameComposer composer(320, 240);
    Measure("vsensor_aim", 10, [&](int i) {
        settings.view.yawDegrees = 5.0 + i;
        composer.Aim(settings, 1024, 768);
    });
    Measure("vsensor_take_desktop", 50, [&](int) { composer.TakeDesktop(desktop.data(), 1024, 768); });
    PictureControls controls(true);
    SensorResponse response;
    Measure("vsensor_compose_frame", 300, [&](int) {
        response.Configure(controls.Values(), settings);
        composer.Compose(response, settings, PixelFormat::Rgb24, frame.data());
    });
    return 0;
}
