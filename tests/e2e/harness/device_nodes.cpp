#include "device_nodes.h"

#include <windows.h>
#include <setupapi.h>

#include <cwctype>

#include "install/device_list.h"
#include "base/setup_handles.h"

namespace {

constexpr GUID kCaptureCategory = {0x65e8773d, 0x8f56, 0x11d0, {0xa3, 0xb9, 0x00, 0xa0, 0xc9, 0x22, 0x31, 0x96}};

std::wstring InstanceId(HDEVINFO list, SP_DEVINFO_DATA* device) {
    wchar_t id[4096];
    if (!SetupDiGetDeviceInstanceIdW(list, device, id, 4096, nullptr)) return L"";
    std::wstring text = id;
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

std::wstring InterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(list, data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return L"";
    std::vector<BYTE> buffer(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    return SetupDiGetDeviceInterfaceDetailW(list, data, detail, size, nullptr, nullptr) ? detail->DevicePath : L"";
}

}  // namespace

std::vector<std::wstring> PresentInstanceIds() {
    std::vector<std::wstring> ids;
    VisitPresentDevices([&ids](HDEVINFO list, SP_DEVINFO_DATA& device) {
        ids.push_back(InstanceId(list, &device));
        return false;
    });
    return ids;
}

std::vector<CaptureInterface> CaptureInterfaces() {
    std::vector<CaptureInterface> found;
    UniqueDeviceList list(
        SetupDiGetClassDevsW(&kCaptureCategory, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list) return found;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(list.Get(), index, &device); ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof(data);
        for (DWORD member = 0; SetupDiEnumDeviceInterfaces(list.Get(), &device, &kCaptureCategory, member, &data);
             ++member)
            found.push_back({InstanceId(list.Get(), &device), InterfacePath(list.Get(), &data)});
    }
    return found;
}
