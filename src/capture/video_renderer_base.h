#pragma once
// A renderer filter with one input pin, written in full because MinGW has no DirectShow base
// classes. Derived renderers decide which media types they take and what rendering a sample
// means; this base does the COM plumbing, the pin connection, the filter states and the receive
// path. CheckMediaType, SetMediaType and DoRenderSample are called under the renderer's lock, so
// they never overlap and at most one sample is rendered at a time. Untimed samples (the capture
// graph's preview samples carry no time stamps) are rendered at once; timed ones when they are
// due on the graph's clock. No sample is kept after DoRenderSample returns.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <atomic>
#include <mutex>
#include <new>
#include <utility>

#include "base/unique_handle.h"
#include "base/com_object.h"
#include "capture/renderer_input_pin.h"

class VideoRendererBase : public IBaseFilter {
public:
    VideoRendererBase(const VideoRendererBase&) = delete;
    VideoRendererBase& operator=(const VideoRendererBase&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPersist
    STDMETHODIMP GetClassID(CLSID* classId) override;
    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME streamStart) override;
    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

protected:
    explicit VideoRendererBase(const CLSID& classId);
    virtual ~VideoRendererBase();

    // Makes a renderer held by one reference; E_OUTOFMEMORY or the platform's failure when it
    // cannot be made.
    template <typename Renderer, typename... Args>
    static HRESULT Make(Microsoft::WRL::ComPtr<IBaseFilter>& renderer, Args&&... args) {
        auto* made = new (std::nothrow) Renderer(std::forward<Args>(args)...);
        if (!made) return E_OUTOFMEMORY;
        Microsoft::WRL::ComPtr<IBaseFilter> held = TakeReference<IBaseFilter>(made);
        if (!made->interrupt_) return HRESULT_FROM_WIN32(GetLastError());
        renderer = std::move(held);
        return S_OK;
    }

    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE* type) = 0;
    // The connection's type, before the graph runs.
    virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* type) = 0;
    // A type with another frame layout that a sample brought while streaming, on the streaming
    // thread; by default taken as a connection type.
    virtual HRESULT ChangeMediaType(const AM_MEDIA_TYPE* type) { return SetMediaType(type); }
    virtual HRESULT DoRenderSample(IMediaSample* sample) = 0;

private:
    friend class RendererInputPin;

    // Called by the input pin.
    HRESULT CheckTypeLocked(const AM_MEDIA_TYPE* type);
    HRESULT SetTypeLocked(const AM_MEDIA_TYPE* type);
    HRESULT ChangeTypeLocked(const AM_MEDIA_TYPE* type);
    HRESULT Render(IMediaSample* sample);
    bool IsStopped();
    void SetFlushing(bool flushing);
    // Waits until a timed sample is due; false when a state change or flush cut the wait short.
    bool WaitUntilDue(IMediaSample* sample);

    const CLSID classId_;
    std::atomic<ULONG> references_{1};
    RendererInputPin pin_;

    std::mutex stateLock_;  // state, clock, graph, name
    FILTER_STATE state_ = State_Stopped;
    REFERENCE_TIME streamStart_ = 0;
    bool flushing_ = false;
    Microsoft::WRL::ComPtr<IReferenceClock> clock_;
    IFilterGraph* graph_ = nullptr;  // not referenced: the graph owns its filters
    WCHAR name_[MAX_FILTER_NAME] = {};
    // Set while a waiting sample must give up (stopped, paused, flushing).
    UniqueEvent interrupt_;

    std::mutex rendererLock_;  // the renderer's lock: type checks and rendering
};
