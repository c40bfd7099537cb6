#pragma once
// The one input pin of VideoRendererBase. It shares its filter's reference count and forwards
// media type decisions and samples to it.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <mutex>

#include "capture/media_type.h"

class VideoRendererBase;

class RendererInputPin : public IPin, public IMemInputPin {
public:
    explicit RendererInputPin(VideoRendererBase& owner);
    RendererInputPin(const RendererInputPin&) = delete;
    RendererInputPin& operator=(const RendererInputPin&) = delete;

    static constexpr const wchar_t* kName = L"In";

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPin
    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override;

private:
    // A sample that announces a type with another frame layout switches the renderer to it when
    // the renderer agrees; one that repeats the connected layout changes nothing.
    HRESULT AdoptSampleType(IMediaSample* sample);

    VideoRendererBase& owner_;
    std::mutex lock_;  // connection, type, allocator
    Microsoft::WRL::ComPtr<IPin> connected_;
    OwnedMediaType type_;
    Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
};
