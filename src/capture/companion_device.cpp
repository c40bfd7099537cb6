#include "capture/companion_device.h"

#include <cwchar>
#include <iterator>

#include "capture/discard_renderer.h"
#include "capture/text_match.h"

using Microsoft::WRL::ComPtr;

void CompanionDevice::Start(const wchar_t* sensorVidPid) {
    Stop();
    VideoInputDevices devices;
    if (!devices.Open().Ok() || devices.Empty()) return;
    ComPtr<IMoniker> moniker;
    while (devices.Next(moniker)) {
        ComPtr<IPropertyBag> properties;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&properties)))) continue;
        if (FAILED(ReadDisplayName(moniker.Get(), displayName_))) continue;
        if (ContainsText(displayName_, sensorVidPid) || !ContainsText(displayName_, L"VID_04B8")) continue;
        if (TryDevice(moniker.Get())) return;
        Stop();
    }
}

bool CompanionDevice::TryDevice(IMoniker* moniker) {
    const HRESULT bound = moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&device_));
    if (FAILED(bound)) return Fail(GraphStep::Failure(bound, L"Couldn't bind moniker to filter object."));
    ComPtr<IBaseFilter> renderer;
    const HRESULT made = DiscardRenderer::Create(renderer);
    GraphStep step = graph_.CreateGraph();
    if (step.Ok()) step = graph_.AddRenderer(made, renderer);
    if (step.Ok()) step = graph_.CreateBuilder();
    if (step.Ok()) step = graph_.AddSource(device_.Get());
    if (step.Ok()) step = graph_.RenderPreview();
    if (step.Ok()) step = graph_.Run();
    if (!step.Ok()) return Fail(step);
    running_ = true;
    return true;
}

bool CompanionDevice::Fail(const GraphStep& step) {
    lastResult_ = step.result;
    _snwprintf_s(message_, std::size(message_), _TRUNCATE, L"(0x%x)%ls",
                  static_cast<unsigned>(step.result), step.failure);
    return false;
}

void CompanionDevice::Stop() {
    graph_.Release();
    device_.Reset();
    running_ = false;
}
