// The program's own capture side (SensorDevice) finding, opening and streaming the virtual
// sensor exactly as it would the real one.
#include <windows.h>

#include <atomic>

#include "capture/sensor_device.h"
#include "capture/frame_sink.h"
#include "base/notifications.h"
#include "harness/pattern_window.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "harness/sensor_graph.h"

namespace {

const SensorIdentity kIdentity{L"VID_05E1&PID_0500", L"USB2.0 VGA WebCam", L"Tavro"};

class CountingSink : public FrameSink {
public:
    void PrepareFrame(const BITMAPINFOHEADER& format) override {
        width = format.biWidth;
        height = format.biHeight;
    }
    void ChangeFormat(const BITMAPINFOHEADER&) override { ++changes; }
    void OnFrame(const BYTE*) override { ++frames; }
    std::atomic<long> width{0}, height{0}, frames{0}, changes{0};
};

// A message-only window that receives the graph's events.
class EventWindow {
public:
    EventWindow() : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~EventWindow() {
        if (window_) DestroyWindow(window_);
    }
    EventWindow(const EventWindow&) = delete;
    EventWindow& operator=(const EventWindow&) = delete;
    HWND Get() const { return window_; }
    // Waits for a graph event message; true when one came.
    bool WaitForGraphEvent(DWORD timeoutMs) const {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        MSG message;
        while (GetTickCount64() < end) {
            if (PeekMessageW(&message, window_, kGraphEventMessage, kGraphEventMessage, PM_REMOVE)) return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLPOSTMESSAGE);
        }
        return false;
    }

private:
    HWND window_;
};

std::string Text(const SensorDevice& device) {
    wchar_t text[1024];
    device.LastMessage(text, 1024);
    std::wstring wide(text);
    return std::string(wide.begin(), wide.end());
}

}  // namespace

E2E_SCENARIO(capture_streams_virtual_sensor, "", 40) {
    PatternWindow grey(Pattern::Grey);
    SensorControl control;
    EventWindow events;
    CountingSink sink;
    {
        SensorDevice device;
        const SensorMatch match = device.Open(kIdentity);
        report.Figure("open", static_cast<double>(match), 0);
        if (!report.Check(match == SensorMatch::Matched, "open_matched")) return;
        const int started = device.Start(events.Get(), &sink, 320, 240);
        report.Figure("start", started, 0);
        if (!report.Check(started != 0, "start:" + Text(device))) return;
        report.Check(device.Format() == CaptureFormat::Rgb24, "format_rgb24");
        report.Check(sink.width == 320 && sink.height == 240, "prepared_320x240");
        report.Check(device.Properties().IsExposureGain() && device.Properties().GainMinimum() == -8,
                     "exposure_is_gain");
        Sleep(2000);
        report.Figure("frames_2s", sink.frames, 0);
        report.Check(sink.frames >= 50, "frames_flow");
        // The stream keeps the layout it was connected with.
        report.Check(sink.changes == 0, "no_layout_change");
        control.Unplug();
        bool lost = false;
        while (!lost && events.WaitForGraphEvent(3000)) lost = device.CheckDeviceLost();
        report.Check(lost, "device_lost");
        device.Close();
    }
    report.Figure("live_objects", SensorLiveObjects(), 0);
    report.Check(SensorLiveObjects() == 0, "live_objects_left");
}

E2E_SCENARIO(capture_default_name, "--name Tavro", 30) {
    SensorDevice device;
    const SensorMatch match = device.Open(kIdentity);
    report.Figure("open", static_cast<double>(match), 0);
    report.Check(match == SensorMatch::DefaultName, "open_default_name");
}

E2E_SCENARIO(capture_yuy2_only_sensor, "", 30) {
    SensorControl control;
    control.Set("formats", "yuy2");
    EventWindow events;
    CountingSink sink;
    SensorDevice device;
    if (!report.Check(device.Open(kIdentity) == SensorMatch::Matched, "open_matched")) return;
    const int started = device.Start(events.Get(), &sink, 320, 240);
    report.Figure("format", static_cast<double>(device.Format()), 0);
    report.Figure("message", Text(device));
    report.Check(device.Format() == CaptureFormat::Yuy2, "format_yuy2");
    // Wine has no colour converter, so a YUY2 pin cannot reach the RGB24 renderer.
    report.Check(started == 0 && Text(device).find("This graph cannot preview!") != std::string::npos,
                 "cannot_preview");
}
