#include "registration.h"

#include <dshow.h>
#include <wrl/client.h>

#include <string>

#include "base/unique_handle.h"
#include "capture_filter.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kDefaultName[] = L"USB2.0 VGA WebCam";
constexpr wchar_t kDefaultInstance[] = L"usb#vid_05e1&pid_0500&mi_00#vsensor0";

std::wstring Environment(const wchar_t* name, const wchar_t* fallback) {
    wchar_t value[512];
    const DWORD length = GetEnvironmentVariableW(name, value, 512);
    return length > 0 && length < 512 ? std::wstring(value) : std::wstring(fallback);
}

std::wstring ClassKey() {
    wchar_t clsid[64];
    StringFromGUID2(CLSID_VirtualSensor, clsid, 64);
    return std::wstring(L"CLSID\\") + clsid;
}

bool SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueRegistryKey key(raw);
    return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// COM for the length of a registration call.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

private:
    HRESULT result_;
};

HRESULT FilterMapper(ComPtr<IFilterMapper2>* mapper) {
    return CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(mapper->GetAddressOf()));
}

}  // namespace

HRESULT RegisterSensor(HMODULE module) {
    wchar_t path[MAX_PATH];
    if (!GetModuleFileNameW(module, path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
    const std::wstring key = ClassKey();
    if (!SetString(HKEY_CLASSES_ROOT, key, nullptr, L"Virtual Sensor") ||
        !SetString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", nullptr, path) ||
        !SetString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel", L"Both"))
        return SELFREG_E_CLASS;

    ComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT result = FilterMapper(&mapper);
    if (FAILED(result)) return result;
    REGPINTYPES type = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};
    REGFILTERPINS2 pin{};
    pin.dwFlags = REG_PINFLAG_B_OUTPUT;
    pin.cInstances = 1;
    pin.nMediaTypes = 1;
    pin.lpMediaType = &type;
    pin.clsPinCategory = &PIN_CATEGORY_CAPTURE;
    REGFILTER2 filter{};
    filter.dwVersion = 2;
    filter.dwMerit = MERIT_DO_NOT_USE;
    filter.cPins2 = 1;
    filter.rgPins2 = &pin;
    const std::wstring name = Environment(L"VSENSOR_NAME", kDefaultName);
    const std::wstring instance = Environment(L"VSENSOR_INSTANCE", kDefaultInstance);
    return mapper->RegisterFilter(CLSID_VirtualSensor, name.c_str(), nullptr, &CLSID_VideoInputDeviceCategory,
                                  instance.c_str(), &filter);
}

HRESULT UnregisterSensor() {
    ComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT result = FilterMapper(&mapper);
    if (SUCCEEDED(result)) {
        const std::wstring instance = Environment(L"VSENSOR_INSTANCE", kDefaultInstance);
        result = mapper->UnregisterFilter(&CLSID_VideoInputDeviceCategory, instance.c_str(), CLSID_VirtualSensor);
    }
    RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
    return result;
}
