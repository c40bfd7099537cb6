#include "capture/video_input_devices.h"

#include <cwchar>

GraphStep VideoInputDevices::Open() {
    monikers_.Reset();
    Microsoft::WRL::ComPtr<ICreateDevEnum> devices;
    const HRESULT made =
        CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices));
    if (FAILED(made)) return GraphStep::Failure(made, L"Couldn't create system device enumerator.");
    const HRESULT listed = devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers_, 0);
    if (FAILED(listed))
        return GraphStep::Failure(listed, L"Couldn't create class enumerator for video input device category");
    return GraphStep::Success(listed);
}

bool VideoInputDevices::Next(Microsoft::WRL::ComPtr<IMoniker>& moniker) {
    moniker.Reset();
    return monikers_ && monikers_->Next(1, &moniker, nullptr) == S_OK && moniker;
}

HRESULT ReadDisplayName(IMoniker* moniker, wchar_t (&name)[kDeviceNameCapacity]) {
    LPOLESTR displayName = nullptr;
    const HRESULT read = moniker->GetDisplayName(nullptr, nullptr, &displayName);
    if (FAILED(read) || !displayName) return FAILED(read) ? read : E_FAIL;
    wcsncpy_s(name, displayName, _TRUNCATE);
    CoTaskMemFree(displayName);
    return read;
}

HRESULT ReadFriendlyName(IPropertyBag* properties, wchar_t (&name)[kDeviceNameCapacity]) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    HRESULT read = properties->Read(L"FriendlyName", &value, nullptr);
    if (SUCCEEDED(read) && (value.vt != VT_BSTR || !value.bstrVal)) read = DISP_E_TYPEMISMATCH;
    if (SUCCEEDED(read)) wcsncpy_s(name, value.bstrVal, _TRUNCATE);
    VariantClear(&value);
    return read;
}
