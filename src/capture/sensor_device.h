#pragma once
// The capture side of the program: finds the sensor among the video input devices, opens it for
// property control, builds and runs the graph that delivers its frames as 24-bit RGB to a
// FrameSink, and tells the notify window when the sensor is unplugged. Every operation runs on
// the UI thread; only the renderer's callbacks run on the capture streaming thread.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "capture/capture_graph.h"
#include "capture/companion_device.h"
#include "capture/graph_step.h"
#include "capture/ks_control.h"
#include "capture/sensor_identity.h"
#include "capture/sensor_properties.h"

class FrameSink;

// True for the graph event that says the sensor was unplugged: EC_DEVICE_LOST whose first
// parameter is the capture filter itself (the same COM object) and whose second is 0 (a removal,
// not an arrival).
bool IsSensorRemoval(long code, LONG_PTR first, LONG_PTR second, IUnknown* captureFilter);

// What starting, running or stopping the graph came to.
enum class DeviceResult {
    Failed,          // the last message says why
    Done,
    AlreadyRunning,  // Start on a running graph: nothing was done
};

class SensorDevice {
public:
    SensorDevice();
    ~SensorDevice() { Close(); }
    SensorDevice(const SensorDevice&) = delete;
    SensorDevice& operator=(const SensorDevice&) = delete;

    // Closes, then finds and classifies the sensor; on Matched the capture filter is bound and the
    // property handle is open.
    SensorMatch Open(const SensorIdentity& identity);
    // Builds and runs the graph.
    DeviceResult Start(HWND notifyWindow, FrameSink* sink, int width, int height);
    // Done also when the graph already runs (or is already stopped); Failed without a graph.
    DeviceResult Run();
    DeviceResult Stop();
    // Stops and releases everything; safe in any state. No frame arrives after it returns.
    void Close();
    // Consumes one graph event: true when it says the sensor was unplugged.
    bool CheckDeviceLost();

    // Forms "0x<last result>\n<text of the last failure>"; true when the last result is 0.
    bool LastMessage(wchar_t* text, size_t capacity) const;
    HRESULT LastResult() const { return lastResult_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    CaptureFormat Format() const { return format_; }
    GraphState State() const { return state_; }
    SensorProperties& Properties() { return properties_; }
    const SensorProperties& Properties() const { return properties_; }

private:
    // Records the step's result and, on failure, its text. Returns whether it succeeded.
    bool Record(const GraphStep& step);
    bool BuildGraph();

    CaptureGraph graph_;
    Microsoft::WRL::ComPtr<IBaseFilter> captureFilter_;
    FrameSink* sink_ = nullptr;  // not owned
    CaptureFormat format_ = CaptureFormat::None;
    HRESULT lastResult_ = S_OK;
    HWND notifyWindow_ = nullptr;
    GraphState state_ = GraphState::None;
    int width_ = 0;
    int height_ = 0;
    const wchar_t* lastText_ = L"";  // fixed text of the last failure
    KsControl ks_;
    SensorProperties properties_;
    wchar_t vidPid_[260] = {};
    CompanionDevice companion_;
};
