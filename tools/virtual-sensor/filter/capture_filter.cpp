#include "capture_filter.h"

#include <cwchar>

#include "control/control_file.h"
#include "control/picture_record.h"
#include "list_enumerator.h"

using Microsoft::WRL::ComPtr;

const CLSID CLSID_VirtualSensor = {0xd6ca1bbd, 0x98c0, 0x4e30, {0xb5, 0x58, 0x9f, 0xfa, 0x74, 0xe7, 0x44, 0x52}};

CaptureFilter::CaptureFilter()
    : initial_(ReadControlFile()), controls_(initial_.exposureControl), pin_(*this, initial_) {}

HRESULT CaptureFilter::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter)
        *object = static_cast<IBaseFilter*>(this);
    else if (iid == IID_IAMVideoProcAmp)
        *object = static_cast<IAMVideoProcAmp*>(this);
    else if (iid == IID_IAMCameraControl)
        *object = static_cast<IAMCameraControl*>(this);
    else if (iid == IID_IAMFilterMiscFlags)
        *object = static_cast<IAMFilterMiscFlags*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT CaptureFilter::GetClassID(CLSID* id) {
    if (!id) return E_POINTER;
    *id = CLSID_VirtualSensor;
    return S_OK;
}

HRESULT CaptureFilter::Stop() {
    std::lock_guard<std::mutex> lock(stateLock_);
    if (state_ == State_Stopped) return S_OK;
    state_ = State_Stopped;
    pin_.StopStreaming();
    return S_OK;
}

HRESULT CaptureFilter::Pause() {
    std::lock_guard<std::mutex> lock(stateLock_);
    if (state_ == State_Stopped) {
        const HRESULT started = pin_.StartStreaming();
        if (FAILED(started)) return started;
    }
    state_ = State_Paused;
    return S_OK;
}

HRESULT CaptureFilter::Run(REFERENCE_TIME start) {
    std::lock_guard<std::mutex> lock(stateLock_);
    if (state_ == State_Stopped) {
        const HRESULT started = pin_.StartStreaming();
        if (FAILED(started)) return started;
    }
    {
        std::lock_guard<std::mutex> time(timeLock_);
        start_ = start;
    }
    state_ = State_Running;
    return S_OK;
}

HRESULT CaptureFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = state_;
    // A live source has nothing to show while paused.
    return *state == State_Paused ? VFW_S_CANT_CUE : S_OK;
}

HRESULT CaptureFilter::SetSyncSource(IReferenceClock* clock) {
    std::lock_guard<std::mutex> time(timeLock_);
    clock_ = clock;
    return S_OK;
}

HRESULT CaptureFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    std::lock_guard<std::mutex> time(timeLock_);
    *clock = clock_.Get();
    if (*clock) (*clock)->AddRef();
    return S_OK;
}

HRESULT CaptureFilter::EnumPins(IEnumPins** pins) {
    if (!pins) return E_POINTER;
    ComPtr<IBaseFilter> self(this);
    *pins = new ListEnumerator<IEnumPins, IPin>(1, [self, this](size_t) -> IPin* {
        pin_.AddRef();
        return &pin_;
    });
    return S_OK;
}

HRESULT CaptureFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!id || !pin) return E_POINTER;
    *pin = nullptr;
    if (std::wcscmp(id, L"Capture") != 0) return VFW_E_NOT_FOUND;
    pin_.AddRef();
    *pin = &pin_;
    return S_OK;
}

HRESULT CaptureFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    std::lock_guard<std::mutex> lock(stateLock_);
    std::wcsncpy(info->achName, name_, MAX_FILTER_NAME);
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    return S_OK;
}

HRESULT CaptureFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    std::lock_guard<std::mutex> lock(stateLock_);
    std::lock_guard<std::mutex> time(timeLock_);
    graph_ = graph;
    eventSink_ = nullptr;
    if (graph) {
        // The graph owns the filter; keep its event sink without a reference, as its pins do.
        ComPtr<IMediaEventSink> sink;
        if (SUCCEEDED(graph->QueryInterface(IID_PPV_ARGS(&sink)))) eventSink_ = sink.Get();
    }
    name_[0] = L'\0';
    if (name) std::wcsncpy(name_, name, MAX_FILTER_NAME - 1);
    name_[MAX_FILTER_NAME - 1] = L'\0';
    return S_OK;
}

HRESULT CaptureFilter::QueryVendorInfo(LPWSTR* info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CaptureFilter::ControlRange(ControlKind kind, long id, long* minimum, long* maximum, long* step,
                                    long* value, long* caps) {
    if (!minimum || !maximum || !step || !value || !caps) return E_POINTER;
    ControlLimits range;
    if (!controls_.Range(kind, id, &range)) return E_PROP_ID_UNSUPPORTED;
    *minimum = range.minimum;
    *maximum = range.maximum;
    *step = range.step;
    *value = range.defaultValue;
    *caps = range.capsFlags;
    return S_OK;
}

HRESULT CaptureFilter::ControlSet(ControlKind kind, long id, long value, long flags) {
    ControlLimits range;
    if (!controls_.Range(kind, id, &range)) return E_PROP_ID_UNSUPPORTED;
    if (!controls_.Set(kind, id, value, flags)) return E_INVALIDARG;
    WritePictureRecord(controls_.Values());
    return S_OK;
}

HRESULT CaptureFilter::ControlGet(ControlKind kind, long id, long* value, long* flags) {
    if (!value || !flags) return E_POINTER;
    return controls_.Get(kind, id, value, flags) ? S_OK : E_PROP_ID_UNSUPPORTED;
}

ULONG CaptureFilter::GetMiscFlags() { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

REFERENCE_TIME CaptureFilter::StreamTime(LONGLONG frame, REFERENCE_TIME period) {
    std::lock_guard<std::mutex> time(timeLock_);
    REFERENCE_TIME now = 0;
    if (clock_ && SUCCEEDED(clock_->GetTime(&now))) return now - start_;
    return frame * period;
}

void CaptureFilter::NotifyDeviceLost() {
    std::lock_guard<std::mutex> time(timeLock_);
    if (eventSink_) eventSink_->Notify(EC_DEVICE_LOST, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)), 0);
}
