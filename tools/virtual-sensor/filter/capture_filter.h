#pragma once
// The virtual sensor's capture source filter: one output pin, the picture and camera controls,
// Stop/Pause/Run, and the device-loss event when the control file says the sensor was unplugged.
#include <dshow.h>
#include <wrl/client.h>

#include <atomic>
#include <mutex>

#include "capture_pin.h"
#include "live_objects.h"
#include "scene/picture_controls.h"

// {D6CA1BBD-98C0-4E30-B558-9FFA74E74452}
extern const CLSID CLSID_VirtualSensor;

// IAMVideoProcAmp and IAMCameraControl share method names; this gives each its control kind.
template <typename Interface, ControlKind Kind>
class ControlInterface : public Interface {
public:
    HRESULT STDMETHODCALLTYPE GetRange(long id, long* minimum, long* maximum, long* step, long* value,
                                       long* caps) override {
        return ControlRange(Kind, id, minimum, maximum, step, value, caps);
    }
    HRESULT STDMETHODCALLTYPE Set(long id, long value, long flags) override { return ControlSet(Kind, id, value, flags); }
    HRESULT STDMETHODCALLTYPE Get(long id, long* value, long* flags) override { return ControlGet(Kind, id, value, flags); }
    virtual HRESULT ControlRange(ControlKind kind, long id, long* minimum, long* maximum, long* step,
                                 long* value, long* caps) = 0;
    virtual HRESULT ControlSet(ControlKind kind, long id, long value, long flags) = 0;
    virtual HRESULT ControlGet(ControlKind kind, long id, long* value, long* flags) = 0;
};
using ProcAmpControls = ControlInterface<IAMVideoProcAmp, ControlKind::ProcAmp>;
using CameraControls = ControlInterface<IAMCameraControl, ControlKind::Camera>;

class CaptureFilter : public ComObject<IBaseFilter, ProcAmpControls, CameraControls, IAMFilterMiscFlags> {
public:
    CaptureFilter();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    // IPersist, IMediaFilter, IBaseFilter
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;

    // Picture and camera controls
    HRESULT ControlRange(ControlKind kind, long id, long* minimum, long* maximum, long* step, long* value,
                         long* caps) override;
    HRESULT ControlSet(ControlKind kind, long id, long value, long flags) override;
    HRESULT ControlGet(ControlKind kind, long id, long* value, long* flags) override;

    // IAMFilterMiscFlags
    ULONG STDMETHODCALLTYPE GetMiscFlags() override;

    // For the pin.
    std::mutex& StateLock() { return stateLock_; }
    FILTER_STATE State() const { return state_.load(); }
    const PictureControls& Controls() const { return controls_; }
    // Stream time of a frame: from the graph clock when there is one, else frame * period.
    REFERENCE_TIME StreamTime(LONGLONG frame, REFERENCE_TIME period);
    void NotifyDeviceLost();

private:
    ~CaptureFilter() override = default;

    std::mutex stateLock_;  // state changes and connections
    std::mutex timeLock_;   // clock and start time, also read by the streaming thread
    std::atomic<FILTER_STATE> state_{State_Stopped};
    Microsoft::WRL::ComPtr<IReferenceClock> clock_;
    REFERENCE_TIME start_ = 0;
    IFilterGraph* graph_ = nullptr;           // not held: the graph holds the filter
    IMediaEventSink* eventSink_ = nullptr;    // the graph's, not held either
    wchar_t name_[MAX_FILTER_NAME] = {};
    SensorSettings initial_;
    PictureControls controls_;
    CapturePin pin_;
};
