#include "capture_pin.h"

#include <algorithm>
#include <cwchar>

#include "capture_filter.h"
#include "control/stream_status.h"
#include "list_enumerator.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kPinName[] = L"Capture";

}  // namespace

CapturePin::CapturePin(CaptureFilter& filter, const SensorSettings& settings)
    : filter_(filter), formats_(OfferedFormats(settings.formats)), fps_(settings.fps),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CapturePin::~CapturePin() {
    StopStreaming();
    ClearMediaType(&mediaType_);
}

HRESULT CapturePin::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPin)
        *object = static_cast<IPin*>(this);
    else if (iid == IID_IAMStreamConfig)
        *object = static_cast<IAMStreamConfig*>(this);
    else if (iid == IID_IKsPropertySet)
        *object = static_cast<IKsPropertySet*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CapturePin::AddRef() { return filter_.AddRef(); }
ULONG CapturePin::Release() { return filter_.Release(); }

HRESULT CapturePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
    if (!receivePin) return E_POINTER;
    std::lock_guard<std::mutex> lock(filter_.StateLock());
    if (connected_) return VFW_E_ALREADY_CONNECTED;
    if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
    const std::vector<VideoFormat> candidates = formatChosen_ ? std::vector<VideoFormat>{chosen_} : formats_;
    for (const VideoFormat& format : candidates) {
        VideoFormat wanted;
        if (type && !MatchFormat({format}, *type, &wanted)) continue;
        if (SUCCEEDED(TryConnect(receivePin, format))) return S_OK;
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT CapturePin::TryConnect(IPin* receivePin, const VideoFormat& format) {
    FillMediaType(format, fps_, &mediaType_);
    HRESULT result = mediaType_.pbFormat ? receivePin->ReceiveConnection(this, &mediaType_) : E_OUTOFMEMORY;
    if (SUCCEEDED(result)) {
        ComPtr<IMemInputPin> input;
        result = receivePin->QueryInterface(IID_PPV_ARGS(&input));
        if (SUCCEEDED(result)) result = DecideAllocator(input.Get(), format);
        if (SUCCEEDED(result)) {
            connected_ = receivePin;
            input_ = input;
            format_ = format;
            return S_OK;
        }
        receivePin->Disconnect();
    }
    ClearMediaType(&mediaType_);
    return result;
}

HRESULT CapturePin::DecideAllocator(IMemInputPin* input, const VideoFormat& format) {
    ALLOCATOR_PROPERTIES wanted{};
    if (FAILED(input->GetAllocatorRequirements(&wanted))) wanted = {};
    // The graph's Smart Tee delivers nothing with a single buffer; ask for several.
    wanted.cBuffers = std::max<long>(wanted.cBuffers, 3);
    wanted.cbBuffer = std::max<long>(wanted.cbBuffer, FrameBytes(format));
    wanted.cbAlign = std::max<long>(wanted.cbAlign, 1);
    auto agree = [&](IMemAllocator* allocator) {
        ALLOCATOR_PROPERTIES actual{};
        return SUCCEEDED(allocator->SetProperties(&wanted, &actual)) && actual.cbBuffer >= FrameBytes(format) &&
               SUCCEEDED(input->NotifyAllocator(allocator, FALSE));
    };
    ComPtr<IMemAllocator> allocator;
    if (SUCCEEDED(input->GetAllocator(&allocator)) && agree(allocator.Get())) {
        allocator_ = allocator;
        return S_OK;
    }
    allocator.Reset();
    HRESULT result = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&allocator));
    if (FAILED(result)) return result;
    if (!agree(allocator.Get())) return VFW_E_NO_ALLOCATOR;
    allocator_ = allocator;
    return S_OK;
}

HRESULT CapturePin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) { return E_UNEXPECTED; }

HRESULT CapturePin::Disconnect() {
    std::lock_guard<std::mutex> lock(filter_.StateLock());
    if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
    if (!connected_) return S_FALSE;
    connected_.Reset();
    input_.Reset();
    allocator_.Reset();
    ClearMediaType(&mediaType_);
    return S_OK;
}

HRESULT CapturePin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    std::lock_guard<std::mutex> lock(filter_.StateLock());
    *pin = connected_.Get();
    if (!*pin) return VFW_E_NOT_CONNECTED;
    (*pin)->AddRef();
    return S_OK;
}

HRESULT CapturePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    std::lock_guard<std::mutex> lock(filter_.StateLock());
    if (!connected_) {
        *type = {};
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(mediaType_, type);
}

HRESULT CapturePin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = static_cast<IBaseFilter*>(&filter_);
    info->pFilter->AddRef();
    info->dir = PINDIR_OUTPUT;
    std::wcsncpy(info->achName, kPinName, MAX_PIN_NAME);
    return S_OK;
}

HRESULT CapturePin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = PINDIR_OUTPUT;
    return S_OK;
}

HRESULT CapturePin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(kPinName)));
    if (!*id) return E_OUTOFMEMORY;
    std::wmemcpy(*id, kPinName, sizeof(kPinName) / sizeof(wchar_t));
    return S_OK;
}

HRESULT CapturePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    VideoFormat format;
    return MatchFormat(formats_, *type, &format) ? S_OK : S_FALSE;
}

HRESULT CapturePin::EnumMediaTypes(IEnumMediaTypes** types) {
    if (!types) return E_POINTER;
    std::lock_guard<std::mutex> lock(filter_.StateLock());
    std::vector<VideoFormat> listed = formatChosen_ ? std::vector<VideoFormat>{chosen_} : formats_;
    const double fps = fps_;
    *types = new ListEnumerator<IEnumMediaTypes, AM_MEDIA_TYPE>(
        listed.size(), [listed, fps](size_t index) { return NewMediaType(listed[index], fps); });
    return S_OK;
}

HRESULT CapturePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }
HRESULT CapturePin::EndOfStream() { return E_UNEXPECTED; }
HRESULT CapturePin::BeginFlush() { return E_UNEXPECTED; }
HRESULT CapturePin::EndFlush() { return E_UNEXPECTED; }
HRESULT CapturePin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

HRESULT CapturePin::SetFormat(AM_MEDIA_TYPE* type) {
    std::lock_guard<std::mutex> lock(filter_.StateLock());
    if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
    if (!type) {
        formatChosen_ = false;
        return S_OK;
    }
    VideoFormat format;
    if (!MatchFormat(formats_, *type, &format)) return VFW_E_INVALIDMEDIATYPE;
    if (connected_ && (format.pixels != format_.pixels || format.width != format_.width)) return VFW_E_ALREADY_CONNECTED;
    chosen_ = format;
    formatChosen_ = true;
    return S_OK;
}

HRESULT CapturePin::GetFormat(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    std::lock_guard<std::mutex> lock(filter_.StateLock());
    *type = NewMediaType(connected_ ? format_ : formatChosen_ ? chosen_ : formats_.front(), fps_);
    return *type ? S_OK : E_OUTOFMEMORY;
}

HRESULT CapturePin::GetNumberOfCapabilities(int* count, int* size) {
    if (!count || !size) return E_POINTER;
    *count = static_cast<int>(formats_.size());
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

HRESULT CapturePin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
    if (!type || !caps) return E_POINTER;
    if (index < 0 || index >= static_cast<int>(formats_.size())) return S_FALSE;
    *type = NewMediaType(formats_[index], fps_);
    if (!*type) return E_OUTOFMEMORY;
    FillCaps(formats_[index], reinterpret_cast<VIDEO_STREAM_CONFIG_CAPS*>(caps));
    return S_OK;
}

HRESULT CapturePin::Set(REFGUID, DWORD, void*, DWORD, void*, DWORD) { return E_NOTIMPL; }

HRESULT CapturePin::Get(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD dataBytes, DWORD* returned) {
    if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
    if (!data) return E_POINTER;
    if (dataBytes < sizeof(GUID)) return E_UNEXPECTED;
    *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
    if (returned) *returned = sizeof(GUID);
    return S_OK;
}

HRESULT CapturePin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
    if (support) *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}

HRESULT CapturePin::StartStreaming() {
    if (!connected_ || thread_.joinable()) return S_OK;
    const HRESULT committed = allocator_->Commit();
    if (FAILED(committed)) return committed;
    source_ = std::make_unique<FrameSource>(format_, filter_.Controls());
    ResetEvent(stop_.Get());
    thread_ = std::thread(&CapturePin::Stream, this);
    return S_OK;
}

void CapturePin::StopStreaming() {
    if (!thread_.joinable()) return;
    // Decommit first so that a thread waiting for a buffer wakes up.
    allocator_->Decommit();
    SetEvent(stop_.Get());
    thread_.join();
    source_.reset();
}

namespace {
constexpr LONGLONG kStatusEveryFrames = 30;  // about once a second
}  // namespace

void CapturePin::Stream() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    auto now = [&]() {
        QueryPerformanceCounter(&counter);
        return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
    };
    double due = now();
    LONGLONG frame = 0;
    bool lossReported = false;
    StreamStatus status;
    for (;;) {
        const double wait = due - now();
        if (WaitForSingleObject(stop_.Get(), wait > 0 ? static_cast<DWORD>(wait * 1000.0 + 0.5) : 0) != WAIT_TIMEOUT)
            break;
        // Read when the frame is due, not before the wait: a pen moved meanwhile is in this
        // frame, as a camera shows what is before it when it exposes.
        const SensorSettings& settings = source_->Refresh();
        const double period = 1.0 / settings.fps;
        due += period;
        const double behind = now() - due;
        if (behind > 4.0 * period) {  // far behind: do not try to catch up
            status.skipped += static_cast<long long>(behind / period);
            due = now();
        }
        if (settings.unplugged) {
            if (!lossReported) filter_.NotifyDeviceLost();
            lossReported = true;
            continue;
        }
        if (filter_.State() != State_Running) continue;
        if (DeliverFrame(*source_, period, frame++)) {
            ++status.delivered;
        } else {
            ++status.skipped;
        }
        if (frame % kStatusEveryFrames == 0) WriteStreamStatus(status);
    }
}

bool CapturePin::DeliverFrame(FrameSource& source, double period, LONGLONG frame) {
    ComPtr<IMediaSample> sample;
    if (FAILED(allocator_->GetBuffer(&sample, nullptr, nullptr, 0))) return false;
    BYTE* data = nullptr;
    const int bytes = FrameBytes(format_);
    if (FAILED(sample->GetPointer(&data)) || sample->GetSize() < bytes) return false;
    source.Fill(data);
    sample->SetActualDataLength(bytes);
    const REFERENCE_TIME length = static_cast<REFERENCE_TIME>(period * 10000000.0);
    REFERENCE_TIME start = filter_.StreamTime(frame, length), end = start + length;
    sample->SetTime(&start, &end);
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(frame == 0);
    return SUCCEEDED(input_->Receive(sample.Get()));
}
