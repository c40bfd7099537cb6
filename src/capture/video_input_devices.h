#pragma once
// The machine's video input devices, in the device enumerator's order, and the names they show.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "capture/graph_step.h"

inline constexpr size_t kDeviceNameCapacity = 260;

class VideoInputDevices {
public:
    // Fails with the enumerator's text; an empty category opens with no devices.
    GraphStep Open();
    bool Empty() const { return !monikers_; }
    // The next device; false when there are no more.
    bool Next(Microsoft::WRL::ComPtr<IMoniker>& moniker);

private:
    Microsoft::WRL::ComPtr<IEnumMoniker> monikers_;
};

// The moniker's display name, truncated to the buffer.
HRESULT ReadDisplayName(IMoniker* moniker, wchar_t (&name)[kDeviceNameCapacity]);
// The device's "FriendlyName", truncated to the buffer.
HRESULT ReadFriendlyName(IPropertyBag* properties, wchar_t (&name)[kDeviceNameCapacity]);
