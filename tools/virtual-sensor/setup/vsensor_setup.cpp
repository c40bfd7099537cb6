// Creates and removes the virtual sensor's device nodes with SetupAPI, as plugging a device in
// would: the sensor's USB node with an openable kernel-streaming capture interface, and other
// nodes (the pen's RF receiver) by instance id alone.
//
//   vsensor-setup device INSTANCE_ID [--capture-interface]   prints the interface path
//   vsensor-setup remove INSTANCE_ID
#include <windows.h>
#include <setupapi.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "install/setup_handles.h"

namespace {

// KSCATEGORY_CAPTURE, the image class and the HID class.
constexpr GUID kCaptureCategory = {0x65e8773d, 0x8f56, 0x11d0, {0xa3, 0xb9, 0x00, 0xa0, 0xc9, 0x22, 0x31, 0x96}};
constexpr GUID kImageClass = {0x6bdd1fc6, 0x810f, 0x11d0, {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};
constexpr GUID kHidClass = {0x745a17a0, 0x74d3, 0x11d0, {0xb6, 0xfe, 0x00, 0xa0, 0xc9, 0x0f, 0x57, 0xda}};
constexpr wchar_t kDeviceClasses[] =
    L"System\\CurrentControlSet\\Control\\DeviceClasses\\{65e8773d-8f56-11d0-a3b9-00a0c9223196}";


std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

int Fail(const char* what) {
    std::fprintf(stderr, "vsensor-setup: %s failed (error %lu)\n", what, GetLastError());
    return 1;
}

// Lists the interface as present: the DWORD Linked = 1 under its "#global\Control" key.
bool MarkLinked(const std::wstring& instance) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDeviceClasses, 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    UniqueRegistryKey classes(raw);
    std::wstring wanted = Upper(instance);
    for (wchar_t& c : wanted)
        if (c == L'\\') c = L'#';
    wchar_t name[512];
    for (DWORD index = 0;; ++index) {
        DWORD length = 512;
        if (RegEnumKeyExW(classes.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        if (Upper(name).find(wanted) == std::wstring::npos) continue;
        const std::wstring control = std::wstring(kDeviceClasses) + L"\\" + name + L"\\#global\\Control";
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, control.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
            ERROR_SUCCESS)
            return false;
        UniqueRegistryKey key(raw);
        const DWORD linked = 1;
        return RegSetValueExW(key.Get(), L"Linked", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&linked),
                              sizeof(linked)) == ERROR_SUCCESS;
    }
}

bool PrintInterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(list, data, nullptr, 0, &size, nullptr);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(list, data, detail, size, nullptr, nullptr)) return false;
    std::printf("%ls\n", detail->DevicePath);
    return true;
}

int CreateDevice(const std::wstring& instance, bool captureInterface) {
    const size_t cut = instance.rfind(L'\\');
    if (cut == std::wstring::npos || cut == 0) {
        std::fprintf(stderr, "vsensor-setup: instance id needs the form ENUMERATOR\\ID\\INSTANCE\n");
        return 2;
    }
    UniqueDeviceList list(SetupDiCreateDeviceInfoList(nullptr, nullptr));
    if (!list) return Fail("SetupDiCreateDeviceInfoList");
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    const GUID& deviceClass = captureInterface ? kImageClass : kHidClass;
    if (SetupDiCreateDeviceInfoW(list.Get(), instance.c_str(), &deviceClass, nullptr, nullptr, 0, &device)) {
        // Hardware ids: the instance id without its last part, double-zero terminated.
        std::wstring hardwareIds = instance.substr(0, cut);
        hardwareIds.push_back(L'\0');
        hardwareIds.push_back(L'\0');
        if (!SetupDiSetDeviceRegistryPropertyW(list.Get(), &device, SPDRP_HARDWAREID,
                                               reinterpret_cast<const BYTE*>(hardwareIds.data()),
                                               static_cast<DWORD>(hardwareIds.size() * sizeof(wchar_t))))
            return Fail("SetupDiSetDeviceRegistryPropertyW");
        if (!SetupDiRegisterDeviceInfo(list.Get(), &device, 0, nullptr, nullptr, nullptr))
            return Fail("SetupDiRegisterDeviceInfo");
    } else if (!SetupDiOpenDeviceInfoW(list.Get(), instance.c_str(), nullptr, 0, &device)) {
        return Fail("SetupDiCreateDeviceInfoW");
    }
    if (!captureInterface) return 0;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    if (!SetupDiCreateDeviceInterfaceW(list.Get(), &device, &kCaptureCategory, L"global", 0, &data))
        return Fail("SetupDiCreateDeviceInterfaceW");
    if (!MarkLinked(instance)) return Fail("marking the interface linked");
    return PrintInterfacePath(list.Get(), &data) ? 0 : Fail("SetupDiGetDeviceInterfaceDetailW");
}

int RemoveDevice(const std::wstring& instance) {
    UniqueDeviceList list(SetupDiCreateDeviceInfoList(nullptr, nullptr));
    if (!list) return Fail("SetupDiCreateDeviceInfoList");
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (!SetupDiOpenDeviceInfoW(list.Get(), instance.c_str(), nullptr, 0, &device))
        return Fail("SetupDiOpenDeviceInfoW");
    return SetupDiRemoveDevice(list.Get(), &device) ? 0 : Fail("SetupDiRemoveDevice");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"device")
        return CreateDevice(argv[2], argc >= 4 && std::wstring(argv[3]) == L"--capture-interface");
    if (argc == 3 && std::wstring(argv[1]) == L"remove") return RemoveDevice(argv[2]);
    std::fprintf(stderr, "usage: vsensor-setup device INSTANCE_ID [--capture-interface]\n"
                         "       vsensor-setup remove INSTANCE_ID\n");
    return 2;
}
