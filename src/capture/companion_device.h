#pragma once
// A second camera ("VID_04B8") that is previewed into a discarding renderer while the sensor
// starts, and taken down again at the end of the start.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "capture/capture_graph.h"
#include "capture/video_input_devices.h"

class CompanionDevice {
public:
    CompanionDevice() = default;
    ~CompanionDevice() { Stop(); }
    CompanionDevice(const CompanionDevice&) = delete;
    CompanionDevice& operator=(const CompanionDevice&) = delete;

    // Runs the first device that is not the sensor and holds "VID_04B8"; nothing when none runs.
    void Start(const wchar_t* sensorVidPid);
    // Stops and releases the device's graph.
    void Stop();

    bool Running() const { return running_; }
    // The last failure as "(0x...)text"; for inspection only, never shown.
    const wchar_t* LastMessage() const { return message_; }

private:
    // Builds and runs the device's graph; false (with the message formed) when a step fails.
    bool TryDevice(IMoniker* moniker);
    bool Fail(const GraphStep& step);

    bool running_ = false;
    HRESULT lastResult_ = S_OK;
    CaptureGraph graph_;
    Microsoft::WRL::ComPtr<IBaseFilter> device_;
    wchar_t message_[1024] = {};
    wchar_t displayName_[kDeviceNameCapacity] = {};
};
