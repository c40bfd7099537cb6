#include "capture/renderer_input_pin.h"

#include <cstring>
#include <cwchar>
#include <new>

#include "capture/enumerators.h"
#include "capture/video_renderer_base.h"

RendererInputPin::RendererInputPin(VideoRendererBase& owner) : owner_(owner) {}

STDMETHODIMP RendererInputPin::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPin) {
        *out = static_cast<IPin*>(this);
    } else if (iid == IID_IMemInputPin) {
        *out = static_cast<IMemInputPin*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) RendererInputPin::AddRef() { return owner_.AddRef(); }
STDMETHODIMP_(ULONG) RendererInputPin::Release() { return owner_.Release(); }

// Input pins are connected to, never connect themselves.
STDMETHODIMP RendererInputPin::Connect(IPin*, const AM_MEDIA_TYPE*) { return E_UNEXPECTED; }

STDMETHODIMP RendererInputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
    if (!connector || !type) return E_POINTER;
    if (!owner_.IsStopped()) return VFW_E_NOT_STOPPED;
    std::lock_guard<std::mutex> lock(lock_);
    if (connected_) return VFW_E_ALREADY_CONNECTED;
    PIN_DIRECTION direction = PINDIR_INPUT;
    if (FAILED(connector->QueryDirection(&direction)) || direction != PINDIR_OUTPUT)
        return VFW_E_INVALID_DIRECTION;
    if (owner_.CheckTypeLocked(type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
    const HRESULT set = owner_.SetTypeLocked(type);
    if (FAILED(set)) return set;
    const HRESULT copied = type_.Assign(*type);
    if (FAILED(copied)) return copied;
    connected_ = connector;
    return S_OK;
}

STDMETHODIMP RendererInputPin::Disconnect() {
    if (!owner_.IsStopped()) return VFW_E_NOT_STOPPED;
    std::lock_guard<std::mutex> lock(lock_);
    if (!connected_) return S_FALSE;
    connected_.Reset();
    allocator_.Reset();
    type_.Clear();
    return S_OK;
}

STDMETHODIMP RendererInputPin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    std::lock_guard<std::mutex> lock(lock_);
    *pin = connected_.Get();
    if (!*pin) return VFW_E_NOT_CONNECTED;
    (*pin)->AddRef();
    return S_OK;
}

STDMETHODIMP RendererInputPin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    std::lock_guard<std::mutex> lock(lock_);
    if (!connected_) {
        *type = AM_MEDIA_TYPE{};
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaTypeInto(*type, type_.Get());
}

STDMETHODIMP RendererInputPin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = &owner_;
    owner_.AddRef();
    info->dir = PINDIR_INPUT;
    wcsncpy_s(info->achName, kName, _TRUNCATE);
    return S_OK;
}

STDMETHODIMP RendererInputPin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = PINDIR_INPUT;
    return S_OK;
}

STDMETHODIMP RendererInputPin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    const size_t bytes = (std::wcslen(kName) + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, kName, bytes);
    return S_OK;
}

STDMETHODIMP RendererInputPin::QueryAccept(const AM_MEDIA_TYPE* type) {
    return owner_.CheckTypeLocked(type) == S_OK ? S_OK : S_FALSE;
}

// The renderer proposes no types of its own; the upstream pin offers and the renderer checks.
STDMETHODIMP RendererInputPin::EnumMediaTypes(IEnumMediaTypes** types) {
    if (!types) return E_POINTER;
    *types = new (std::nothrow) MediaTypeEnumerator(static_cast<IPin*>(this), {});
    return *types ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP RendererInputPin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }
STDMETHODIMP RendererInputPin::EndOfStream() { return S_OK; }

STDMETHODIMP RendererInputPin::BeginFlush() {
    owner_.SetFlushing(true);
    return S_OK;
}

STDMETHODIMP RendererInputPin::EndFlush() {
    owner_.SetFlushing(false);
    return S_OK;
}

STDMETHODIMP RendererInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

// The upstream pin brings its own allocator (the Smart Tee hands on its source's).
STDMETHODIMP RendererInputPin::GetAllocator(IMemAllocator** allocator) {
    if (!allocator) return E_POINTER;
    *allocator = nullptr;
    return VFW_E_NO_ALLOCATOR;
}

STDMETHODIMP RendererInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL) {
    if (!allocator) return E_POINTER;
    std::lock_guard<std::mutex> lock(lock_);
    allocator_ = allocator;
    return S_OK;
}

STDMETHODIMP RendererInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

STDMETHODIMP RendererInputPin::Receive(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (!connected_) return VFW_E_NOT_CONNECTED;
    }
    const HRESULT adopted = AdoptSampleType(sample);
    if (FAILED(adopted)) return adopted;
    return owner_.Render(sample);
}

STDMETHODIMP RendererInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    if (!samples || !processed) return E_POINTER;
    *processed = 0;
    HRESULT result = S_OK;
    while (*processed < count) {
        result = Receive(samples[*processed]);
        if (result != S_OK) break;
        ++*processed;
    }
    return result;
}

// Timed samples wait until they are due.
STDMETHODIMP RendererInputPin::ReceiveCanBlock() { return S_OK; }

HRESULT RendererInputPin::AdoptSampleType(IMediaSample* sample) {
    AM_MEDIA_TYPE* announced = nullptr;
    if (sample->GetMediaType(&announced) != S_OK || !announced) return S_OK;
    const UniqueMediaType type(announced);
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (SameFrameLayout(type_.Get(), *type)) return S_OK;
    }
    if (owner_.CheckTypeLocked(type.get()) != S_OK) return VFW_E_INVALIDMEDIATYPE;
    const HRESULT set = owner_.ChangeTypeLocked(type.get());
    if (FAILED(set)) return set;
    std::lock_guard<std::mutex> lock(lock_);
    return type_.Assign(*type);
}
