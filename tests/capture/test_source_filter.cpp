#include "test_source_filter.h"

#include <cstring>
#include <cwchar>
#include <new>

#include "capture/enumerators.h"

namespace {
constexpr long kWidth = 320;
constexpr long kHeight = 240;
constexpr long kFrameBytes = 960 * kHeight;
}  // namespace

TestSourceFilter::TestSourceFilter() : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    format_.AvgTimePerFrame = 333333;
    format_.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 24, BI_RGB, kFrameBytes, 0, 0, 0, 0};
    type_.majortype = MEDIATYPE_Video;
    type_.subtype = MEDIASUBTYPE_RGB24;
    type_.bFixedSizeSamples = TRUE;
    type_.lSampleSize = kFrameBytes;
    type_.formattype = FORMAT_VideoInfo;
    type_.cbFormat = sizeof(format_);
    type_.pbFormat = reinterpret_cast<BYTE*>(&format_);
}

TestSourceFilter::~TestSourceFilter() { StopStreaming(); }

STDMETHODIMP TestSourceFilter::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
        *out = static_cast<IBaseFilter*>(this);
    } else if (iid == IID_IPin) {
        *out = static_cast<IPin*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TestSourceFilter::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP TestSourceFilter::GetClassID(CLSID* classId) {
    *classId = CLSID_NULL;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::Stop() {
    StopStreaming();
    std::lock_guard<std::mutex> lock(lock_);
    state_ = State_Stopped;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::Pause() {
    std::lock_guard<std::mutex> lock(lock_);
    if (state_ == State_Stopped && allocator_) allocator_->Commit();
    state_ = State_Paused;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::Run(REFERENCE_TIME) {
    std::lock_guard<std::mutex> lock(lock_);
    if (state_ == State_Stopped && allocator_) allocator_->Commit();
    state_ = State_Running;
    if (!thread_.joinable() && input_) {
        ResetEvent(stop_.Get());
        thread_ = std::thread([this] { Deliver(); });
    }
    return S_OK;
}

STDMETHODIMP TestSourceFilter::GetState(DWORD, FILTER_STATE* state) {
    std::lock_guard<std::mutex> lock(lock_);
    *state = state_;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::GetSyncSource(IReferenceClock** clock) {
    *clock = nullptr;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::EnumPins(IEnumPins** pins) {
    *pins = new (std::nothrow) PinEnumerator(static_cast<IBaseFilter*>(this), {static_cast<IPin*>(this)});
    return *pins ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TestSourceFilter::FindPin(LPCWSTR, IPin** pin) {
    *pin = static_cast<IPin*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP TestSourceFilter::QueryFilterInfo(FILTER_INFO* info) {
    wcsncpy_s(info->achName, L"Test Source", _TRUNCATE);
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    return S_OK;
}

STDMETHODIMP TestSourceFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR) {
    graph_ = graph;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::Connect(IPin* receivePin, const AM_MEDIA_TYPE*) {
    if (connected_) return VFW_E_ALREADY_CONNECTED;
    HRESULT result = receivePin->ReceiveConnection(static_cast<IPin*>(this), &type_);
    if (FAILED(result)) return result;
    Microsoft::WRL::ComPtr<IMemInputPin> input;
    result = receivePin->QueryInterface(IID_PPV_ARGS(&input));
    Microsoft::WRL::ComPtr<IMemAllocator> allocator;
    if (SUCCEEDED(result) && FAILED(input->GetAllocator(&allocator)))
        result = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&allocator));
    ALLOCATOR_PROPERTIES wanted{3, kFrameBytes, 1, 0};
    ALLOCATOR_PROPERTIES actual{};
    if (SUCCEEDED(result)) result = allocator->SetProperties(&wanted, &actual);
    if (SUCCEEDED(result)) result = input->NotifyAllocator(allocator.Get(), FALSE);
    if (FAILED(result)) {
        receivePin->Disconnect();
        return result;
    }
    connected_ = receivePin;
    input_ = input;
    allocator_ = allocator;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::Disconnect() {
    if (!connected_) return S_FALSE;
    connected_.Reset();
    input_.Reset();
    allocator_.Reset();
    return S_OK;
}

STDMETHODIMP TestSourceFilter::ConnectedTo(IPin** pin) {
    *pin = connected_.Get();
    if (!*pin) return VFW_E_NOT_CONNECTED;
    (*pin)->AddRef();
    return S_OK;
}

STDMETHODIMP TestSourceFilter::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!connected_) return VFW_E_NOT_CONNECTED;
    return CopyMediaTypeInto(*type, type_);
}

STDMETHODIMP TestSourceFilter::QueryPinInfo(PIN_INFO* info) {
    info->pFilter = static_cast<IBaseFilter*>(this);
    AddRef();
    info->dir = PINDIR_OUTPUT;
    wcsncpy_s(info->achName, L"Out", _TRUNCATE);
    return S_OK;
}

STDMETHODIMP TestSourceFilter::QueryDirection(PIN_DIRECTION* direction) {
    *direction = PINDIR_OUTPUT;
    return S_OK;
}

STDMETHODIMP TestSourceFilter::QueryAccept(const AM_MEDIA_TYPE* type) {
    return type && type->subtype == MEDIASUBTYPE_RGB24 ? S_OK : S_FALSE;
}

STDMETHODIMP TestSourceFilter::EnumMediaTypes(IEnumMediaTypes** types) {
    *types = new (std::nothrow) MediaTypeEnumerator(static_cast<IBaseFilter*>(this), {&type_});
    return *types ? S_OK : E_OUTOFMEMORY;
}

void TestSourceFilter::Deliver() {
    do {
        Microsoft::WRL::ComPtr<IMediaSample> sample;
        if (FAILED(allocator_->GetBuffer(&sample, nullptr, nullptr, 0))) return;
        BYTE* buffer = nullptr;
        sample->GetPointer(&buffer);
        std::memset(buffer, 0x40, kFrameBytes);
        sample->SetActualDataLength(kFrameBytes);
        if (FAILED(input_->Receive(sample.Get()))) return;
        ++delivered_;
    } while (WaitForSingleObject(stop_.Get(), 33) == WAIT_TIMEOUT);
}

// The allocator is decommitted first, so a delivery blocked in GetBuffer returns.
void TestSourceFilter::StopStreaming() {
    SetEvent(stop_.Get());
    if (allocator_) allocator_->Decommit();
    if (thread_.joinable()) thread_.join();
}
