#include "capture/video_renderer_base.h"

#include <algorithm>
#include <cwchar>
#include <new>

#include "capture/enumerators.h"

VideoRendererBase::VideoRendererBase(const CLSID& classId)
    : classId_(classId), pin_(*this), interrupt_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

VideoRendererBase::~VideoRendererBase() = default;

STDMETHODIMP VideoRendererBase::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
        *out = static_cast<IBaseFilter*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) VideoRendererBase::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) VideoRendererBase::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP VideoRendererBase::GetClassID(CLSID* classId) {
    if (!classId) return E_POINTER;
    *classId = classId_;
    return S_OK;
}

STDMETHODIMP VideoRendererBase::Stop() {
    std::lock_guard<std::mutex> lock(stateLock_);
    state_ = State_Stopped;
    SetEvent(interrupt_.Get());
    return S_OK;
}

STDMETHODIMP VideoRendererBase::Pause() {
    std::lock_guard<std::mutex> lock(stateLock_);
    state_ = State_Paused;
    SetEvent(interrupt_.Get());
    return S_OK;
}

STDMETHODIMP VideoRendererBase::Run(REFERENCE_TIME streamStart) {
    std::lock_guard<std::mutex> lock(stateLock_);
    state_ = State_Running;
    streamStart_ = streamStart;
    if (!flushing_) ResetEvent(interrupt_.Get());
    return S_OK;
}

STDMETHODIMP VideoRendererBase::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    std::lock_guard<std::mutex> lock(stateLock_);
    *state = state_;
    return S_OK;
}

STDMETHODIMP VideoRendererBase::SetSyncSource(IReferenceClock* clock) {
    std::lock_guard<std::mutex> lock(stateLock_);
    clock_ = clock;
    return S_OK;
}

STDMETHODIMP VideoRendererBase::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    std::lock_guard<std::mutex> lock(stateLock_);
    *clock = clock_.Get();
    if (*clock) (*clock)->AddRef();
    return S_OK;
}

STDMETHODIMP VideoRendererBase::EnumPins(IEnumPins** pins) {
    if (!pins) return E_POINTER;
    *pins = new (std::nothrow) PinEnumerator(static_cast<IBaseFilter*>(this), {static_cast<IPin*>(&pin_)});
    return *pins ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP VideoRendererBase::FindPin(LPCWSTR id, IPin** pin) {
    if (!id || !pin) return E_POINTER;
    if (std::wcscmp(id, RendererInputPin::kName) != 0) {
        *pin = nullptr;
        return VFW_E_NOT_FOUND;
    }
    *pin = &pin_;
    pin_.AddRef();
    return S_OK;
}

STDMETHODIMP VideoRendererBase::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    std::lock_guard<std::mutex> lock(stateLock_);
    std::copy(std::begin(name_), std::end(name_), info->achName);
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    return S_OK;
}

STDMETHODIMP VideoRendererBase::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    std::lock_guard<std::mutex> lock(stateLock_);
    graph_ = graph;
    name_[0] = L'\0';
    if (name) wcsncpy_s(name_, name, _TRUNCATE);
    return S_OK;
}

STDMETHODIMP VideoRendererBase::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

HRESULT VideoRendererBase::CheckTypeLocked(const AM_MEDIA_TYPE* type) {
    std::lock_guard<std::mutex> lock(rendererLock_);
    return CheckMediaType(type);
}

HRESULT VideoRendererBase::SetTypeLocked(const AM_MEDIA_TYPE* type) {
    std::lock_guard<std::mutex> lock(rendererLock_);
    return SetMediaType(type);
}

HRESULT VideoRendererBase::ChangeTypeLocked(const AM_MEDIA_TYPE* type) {
    std::lock_guard<std::mutex> lock(rendererLock_);
    return ChangeMediaType(type);
}

HRESULT VideoRendererBase::Render(IMediaSample* sample) {
    if (IsStopped()) return VFW_E_WRONG_STATE;
    if (!WaitUntilDue(sample)) return S_FALSE;
    std::lock_guard<std::mutex> lock(rendererLock_);
    // A sample the renderer cannot use is dropped; the stream goes on with the next one.
    DoRenderSample(sample);
    return S_OK;
}

bool VideoRendererBase::IsStopped() {
    std::lock_guard<std::mutex> lock(stateLock_);
    return state_ == State_Stopped;
}

void VideoRendererBase::SetFlushing(bool flushing) {
    std::lock_guard<std::mutex> lock(stateLock_);
    flushing_ = flushing;
    if (flushing || state_ != State_Running)
        SetEvent(interrupt_.Get());
    else
        ResetEvent(interrupt_.Get());
}

bool VideoRendererBase::WaitUntilDue(IMediaSample* sample) {
    REFERENCE_TIME start = 0;
    REFERENCE_TIME end = 0;
    if (FAILED(sample->GetTime(&start, &end))) return true;
    Microsoft::WRL::ComPtr<IReferenceClock> clock;
    REFERENCE_TIME streamStart = 0;
    {
        std::lock_guard<std::mutex> lock(stateLock_);
        if (state_ != State_Running) return true;
        clock = clock_;
        streamStart = streamStart_;
    }
    REFERENCE_TIME now = 0;
    if (!clock || FAILED(clock->GetTime(&now))) return true;
    const REFERENCE_TIME wait100ns = streamStart + start - now;
    if (wait100ns <= 0) return true;
    const DWORD waitMs = static_cast<DWORD>(std::min<REFERENCE_TIME>(wait100ns / 10000, INFINITE - 1));
    return WaitForSingleObject(interrupt_.Get(), waitMs) == WAIT_TIMEOUT;
}
