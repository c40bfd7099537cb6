#include "sensor_graph.h"

#include <qedit.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwctype>

using Microsoft::WRL::ComPtr;

namespace {

const CLSID kSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
const CLSID kNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

void FreeType(AM_MEDIA_TYPE* type) {
    if (!type) return;
    if (type->pbFormat) CoTaskMemFree(type->pbFormat);
    if (type->pUnk) type->pUnk->Release();
    CoTaskMemFree(type);
}

// Chooses the width x height RGB24 capability of the capture pin.
HRESULT ChooseFormat(IAMStreamConfig* config, int width, int height) {
    int count = 0, size = 0;
    HRESULT result = config->GetNumberOfCapabilities(&count, &size);
    if (FAILED(result)) return result;
    if (size != sizeof(VIDEO_STREAM_CONFIG_CAPS)) return E_UNEXPECTED;
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* type = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps;
        if (config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps)) != S_OK) continue;
        const bool wanted = type->subtype == MEDIASUBTYPE_RGB24 && type->formattype == FORMAT_VideoInfo &&
                            caps.InputSize.cx == width && caps.InputSize.cy == height;
        if (wanted) result = config->SetFormat(type);
        FreeType(type);
        if (wanted) return result;
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

}  // namespace

// Counts and keeps frames from the Sample Grabber's streaming thread.
class SensorGraph::Grabber final : public ISampleGrabberCB {
public:
    Grabber() : frameEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == __uuidof(ISampleGrabberCB)) {
            *object = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the SensorGraph, which releases the graph first.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE* buffer, long length) override {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_.assign(buffer, buffer + length);
        ++frames_;
        SetEvent(frameEvent_.Get());
        return S_OK;
    }

    long Frames() const { return frames_; }
    bool Next(std::vector<uint8_t>* pixels, DWORD timeoutMs) {
        ResetEvent(frameEvent_.Get());
        if (WaitForSingleObject(frameEvent_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
        std::lock_guard<std::mutex> lock(mutex_);
        *pixels = latest_;
        return true;
    }

private:
    UniqueEvent frameEvent_;
    std::mutex mutex_;
    std::vector<uint8_t> latest_;
    std::atomic<long> frames_{0};
};

std::vector<VideoDevice> ListVideoDevices() {
    std::vector<VideoDevice> devices;
    ComPtr<ICreateDevEnum> enumerator;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&enumerator))))
        return devices;
    ComPtr<IEnumMoniker> monikers;
    if (enumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0) != S_OK || !monikers)
        return devices;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        VideoDevice device;
        device.moniker = moniker;
        LPOLESTR display = nullptr;
        if (SUCCEEDED(moniker->GetDisplayName(nullptr, nullptr, &display)) && display) {
            device.displayName = display;
            CoTaskMemFree(display);
        }
        ComPtr<IPropertyBag> bag;
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) {
            VARIANT name;
            VariantInit(&name);
            if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR) device.friendlyName = name.bstrVal;
            VariantClear(&name);
        }
        devices.push_back(device);
        moniker.Reset();
    }
    return devices;
}

SensorGraph::SensorGraph() : grabber_(new Grabber) {}

SensorGraph::~SensorGraph() {
    Release();
    delete grabber_;
}

long SensorGraph::Frames() const { return grabber_->Frames(); }

bool SensorGraph::NextFrame(std::vector<uint8_t>* pixels, DWORD timeoutMs) {
    return grabber_->Next(pixels, timeoutMs) && pixels->size() >= static_cast<size_t>(Stride() * height_);
}

HRESULT SensorGraph::Build(int width, int height, std::string* failedStep) {
    auto fail = [failedStep](const char* step, HRESULT result) {
        *failedStep = step;
        return FAILED(result) ? result : E_FAIL;
    };
    ComPtr<IMoniker> moniker;
    for (const VideoDevice& device : ListVideoDevices())
        if (Lower(device.displayName).find(L"vid_05e1&pid_0500") != std::wstring::npos) {
            moniker = device.moniker;
            break;
        }
    if (!moniker) return fail("find_device", E_FAIL);
    HRESULT result = moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&source_));
    if (FAILED(result)) return fail("bind", result);
    result = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph_));
    if (FAILED(result)) return fail("graph", result);
    result = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&builder_));
    if (FAILED(result) || FAILED(result = builder_->SetFiltergraph(graph_.Get()))) return fail("builder", result);
    result = CoCreateInstance(kSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&sampleGrabber_));
    if (FAILED(result)) return fail("sample_grabber", result);
    result = CoCreateInstance(kNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&nullRenderer_));
    if (FAILED(result)) return fail("null_renderer", result);
    ComPtr<ISampleGrabber> grabber;
    result = sampleGrabber_.As(&grabber);
    if (FAILED(result)) return fail("grabber_interface", result);
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    grabber->SetMediaType(&wanted);
    grabber->SetBufferSamples(FALSE);
    grabber->SetOneShot(FALSE);
    grabber->SetCallback(grabber_, 1);
    if (FAILED(result = graph_->AddFilter(source_.Get(), L"Video Capture")) ||
        FAILED(result = graph_->AddFilter(sampleGrabber_.Get(), L"Sample Grabber")) ||
        FAILED(result = graph_->AddFilter(nullRenderer_.Get(), L"Null Renderer")))
        return fail("add_filters", result);
    ComPtr<IAMStreamConfig> config;
    result = builder_->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, source_.Get(), IID_PPV_ARGS(&config));
    if (FAILED(result)) return fail("stream_config", result);
    result = ChooseFormat(config.Get(), width, height);
    if (FAILED(result)) return fail("set_format", result);
    result = builder_->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, source_.Get(), sampleGrabber_.Get(),
                                    nullRenderer_.Get());
    if (FAILED(result)) return fail("render_stream", result);
    AM_MEDIA_TYPE connected{};
    result = grabber->GetConnectedMediaType(&connected);
    if (FAILED(result)) return fail("connected_type", result);
    if (connected.formattype == FORMAT_VideoInfo && connected.pbFormat) {
        const BITMAPINFOHEADER& header = reinterpret_cast<VIDEOINFOHEADER*>(connected.pbFormat)->bmiHeader;
        width_ = header.biWidth;
        height_ = std::abs(header.biHeight);
    }
    if (connected.pbFormat) CoTaskMemFree(connected.pbFormat);
    if (connected.pUnk) connected.pUnk->Release();
    result = graph_->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events_.ReleaseAndGetAddressOf()));
    if (FAILED(result)) return fail("events", result);
    return S_OK;
}

HRESULT SensorGraph::Run() {
    ComPtr<IMediaControl> control;
    HRESULT result = graph_.As(&control);
    return SUCCEEDED(result) ? control->Run() : result;
}

HRESULT SensorGraph::Stop() {
    ComPtr<IMediaControl> control;
    HRESULT result = graph_ ? graph_.As(&control) : E_POINTER;
    return SUCCEEDED(result) ? control->Stop() : result;
}

void SensorGraph::Release() {
    if (graph_) Stop();
    events_.Reset();
    nullRenderer_.Reset();
    sampleGrabber_.Reset();
    source_.Reset();
    builder_.Reset();
    graph_.Reset();
}

HRESULT SetExposure(IBaseFilter* source, long value) {
    ComPtr<IAMCameraControl> camera;
    HRESULT result = source->QueryInterface(IID_PPV_ARGS(&camera));
    return SUCCEEDED(result) ? camera->Set(CameraControl_Exposure, value, CameraControl_Flags_Manual) : result;
}

long SensorLiveObjects() {
    HMODULE module = GetModuleHandleW(L"vsensor.dll");
    if (!module) return 0;
    using Counter = long(STDAPICALLTYPE*)();
    auto counter = reinterpret_cast<Counter>(reinterpret_cast<void*>(GetProcAddress(module, "VSensorLiveObjects")));
    return counter ? counter() : -1;
}
