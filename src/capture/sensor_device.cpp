#include "capture/sensor_device.h"

#include <cwchar>

#include "capture/capture_format.h"
#include "capture/sensor_renderer.h"
#include "capture/sensor_search.h"
#include "base/notifications.h"

using Microsoft::WRL::ComPtr;

namespace {

// Lets the sensor settle on its new format before the stream is connected.
constexpr DWORD kFormatSettleMs = 300;

// Takes the companion device down however Start ends.
class CompanionDuringStart {
public:
    CompanionDuringStart(CompanionDevice& companion, const wchar_t* sensorVidPid) : companion_(companion) {
        companion_.Start(sensorVidPid);
    }
    ~CompanionDuringStart() { companion_.Stop(); }
    CompanionDuringStart(const CompanionDuringStart&) = delete;
    CompanionDuringStart& operator=(const CompanionDuringStart&) = delete;

private:
    CompanionDevice& companion_;
};

// COM identity: the IUnknown each answers. The pointers are compared: this toolchain's ComPtr has
// no ==, so two ComPtrs compare as booleans (any two non-null ones are "equal").
bool SameObject(IUnknown* left, IUnknown* right) {
    if (!left || !right) return false;
    ComPtr<IUnknown> leftIdentity;
    ComPtr<IUnknown> rightIdentity;
    return SUCCEEDED(left->QueryInterface(IID_PPV_ARGS(&leftIdentity))) &&
           SUCCEEDED(right->QueryInterface(IID_PPV_ARGS(&rightIdentity))) &&
           leftIdentity.Get() == rightIdentity.Get();
}

}  // namespace

bool IsSensorRemoval(long code, LONG_PTR first, LONG_PTR second, IUnknown* captureFilter) {
    return code == EC_DEVICE_LOST && second == 0 && SameObject(reinterpret_cast<IUnknown*>(first), captureFilter);
}

SensorDevice::SensorDevice() : properties_(ks_) {}

bool SensorDevice::Record(const GraphStep& step) {
    lastResult_ = step.result;
    if (step.Ok()) return true;
    lastText_ = step.failure;
    return false;
}

bool SensorDevice::LastMessage(wchar_t* text, size_t capacity) const {
    if (text && capacity)
        _snwprintf_s(text, capacity, _TRUNCATE, L"0x%x\n%ls", static_cast<unsigned>(lastResult_), lastText_);
    return lastResult_ == S_OK;
}

SensorMatch SensorDevice::Open(const SensorIdentity& identity) {
    Close();
    wcsncpy_s(vidPid_, identity.vidPid ? identity.vidPid : L"", _TRUNCATE);
    GraphStep step;
    const SensorMatch match = FindSensor(identity, captureFilter_, step);
    if (!Record(step) || match != SensorMatch::Matched) return match;
    // Only failures are recorded here: the search's own result stays the last one otherwise.
    const GraphStep control = ks_.CreateDeviceControl();
    if (!control.Ok()) {
        // Without the request channel the sensor still streams; its automatics stay as they are.
        Record(control);
        return SensorMatch::Matched;
    }
    const GraphStep device = ks_.OpenDevice(vidPid_);
    if (!device.Ok()) {
        Record(device);
        return SensorMatch::Failed;
    }
    return SensorMatch::Matched;
}

DeviceResult SensorDevice::Start(HWND notifyWindow, FrameSink* sink, int width, int height) {
    lastResult_ = S_OK;
    lastText_ = L"";
    if (state_ == GraphState::Running) return DeviceResult::AlreadyRunning;
    const CompanionDuringStart companion(companion_, vidPid_);
    notifyWindow_ = notifyWindow;
    width_ = width;
    height_ = height;
    sink_ = sink;
    if (!BuildGraph()) return DeviceResult::Failed;
    Sleep(kFormatSettleMs);
    if (!Record(graph_.RenderPreview())) return DeviceResult::Failed;
    state_ = GraphState::Built;
    properties_.Attach(captureFilter_.Get());
    properties_.ReadRanges();
    properties_.ResetVideoProcAmp();
    properties_.ResetCameraControl();
    return Run();
}

bool SensorDevice::BuildGraph() {
    // A graph left from a failed start goes first; the capture filter joins only one graph.
    graph_.Release();
    state_ = GraphState::None;
    format_ = CaptureFormat::None;
    if (!Record(graph_.CreateGraph())) return false;
    ComPtr<IBaseFilter> renderer;
    const HRESULT made = SensorRenderer::Create(sink_, renderer);
    if (!Record(graph_.AddRenderer(made, renderer))) return false;
    graph_.NotifyWindow(notifyWindow_, kGraphEventMessage);
    if (!Record(graph_.CreateBuilder())) return false;
    if (!Record(graph_.AddSource(captureFilter_.Get()))) return false;
    return Record(ChooseCaptureFormat(graph_.Builder(), captureFilter_.Get(), width_, height_, format_));
}

DeviceResult SensorDevice::Run() {
    if (state_ == GraphState::Running) return DeviceResult::Done;
    if (!graph_.Exists()) return DeviceResult::Failed;
    if (!Record(graph_.Run())) return DeviceResult::Failed;
    state_ = GraphState::Running;
    return DeviceResult::Done;
}

DeviceResult SensorDevice::Stop() {
    if (state_ == GraphState::Stopped) return DeviceResult::Done;
    if (!graph_.Exists()) return DeviceResult::Failed;
    if (!Record(graph_.Stop())) return DeviceResult::Failed;
    state_ = GraphState::Stopped;
    return DeviceResult::Done;
}

void SensorDevice::Close() {
    Stop();
    graph_.Release();
    properties_.Attach(nullptr);
    captureFilter_.Reset();
    width_ = 0;
    height_ = 0;
    sink_ = nullptr;
    state_ = GraphState::None;
    ks_.Close();
}

bool SensorDevice::CheckDeviceLost() {
    IMediaEventEx* events = graph_.Events();
    if (!events) return false;
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    do {
        if (FAILED(events->GetEvent(&code, &first, &second, 0))) return false;
        const bool lost = IsSensorRemoval(code, first, second, captureFilter_.Get());
        events->FreeEventParams(code, first, second);
        if (lost) return true;
    } while (code < 1);
    return false;
}
