#pragma once
// The sensor's one output pin: capture category, stream configuration, allocator negotiation and
// the streaming thread that delivers frames while the filter runs. Its lifetime is the filter's.
#include <dshow.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "base/unique_handle.h"
#include "format_list.h"
#include "frame_source.h"

class CaptureFilter;

class CapturePin : public IPin, public IAMStreamConfig, public IKsPropertySet {
public:
    CapturePin(CaptureFilter& filter, const SensorSettings& settings);
    ~CapturePin();

    // IUnknown: references go to the filter.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPin
    HRESULT STDMETHODCALLTYPE Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** pins, ULONG* count) override;
    HRESULT STDMETHODCALLTYPE EndOfStream() override;
    HRESULT STDMETHODCALLTYPE BeginFlush() override;
    HRESULT STDMETHODCALLTYPE EndFlush() override;
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IAMStreamConfig
    HRESULT STDMETHODCALLTYPE SetFormat(AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE GetFormat(AM_MEDIA_TYPE** type) override;
    HRESULT STDMETHODCALLTYPE GetNumberOfCapabilities(int* count, int* size) override;
    HRESULT STDMETHODCALLTYPE GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    // IKsPropertySet: answers the pin category.
    HRESULT STDMETHODCALLTYPE Set(REFGUID set, DWORD id, void* instance, DWORD instanceBytes, void* data,
                                  DWORD dataBytes) override;
    HRESULT STDMETHODCALLTYPE Get(REFGUID set, DWORD id, void* instance, DWORD instanceBytes, void* data,
                                  DWORD dataBytes, DWORD* returned) override;
    HRESULT STDMETHODCALLTYPE QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // Called by the filter on its state changes (under its state lock).
    HRESULT StartStreaming();
    void StopStreaming();

private:
    HRESULT TryConnect(IPin* receivePin, const VideoFormat& format);
    HRESULT DecideAllocator(IMemInputPin* input, const VideoFormat& format);
    void Stream();
    // True when the receiver took the frame.
    bool DeliverFrame(FrameSource& source, double period, LONGLONG frame);

    CaptureFilter& filter_;
    std::vector<VideoFormat> formats_;
    double fps_;
    bool formatChosen_ = false;
    VideoFormat chosen_{};
    // Connection
    Microsoft::WRL::ComPtr<IPin> connected_;
    Microsoft::WRL::ComPtr<IMemInputPin> input_;
    Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
    AM_MEDIA_TYPE mediaType_{};
    VideoFormat format_{};
    // Streaming
    UniqueEvent stop_;
    std::unique_ptr<FrameSource> source_;
    std::thread thread_;
};
