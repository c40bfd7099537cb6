// Creates and removes the virtual sensor's device nodes with SetupAPI, as plugging a device in
// would: the sensor's USB node with a kernel-streaming capture interface, and other nodes (the
// pen's RF receiver) by instance id alone. Installs the driver that answers on the interface.
//
//   vsensor-setup device INSTANCE_ID [--capture-interface]   prints the interface path
//   vsensor-setup remove INSTANCE_ID
//   vsensor-setup driver INTERFACE_PATH DRIVER_FILE RECORD_FILE
//       the kernel driver (started now and with every Wine start) that opens INTERFACE_PATH and
//       answers its property requests, writing each one to RECORD_FILE
#include <windows.h>
#include <setupapi.h>

#include <cstdio>
#include <cwctype>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "base/setup_handles.h"

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

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using UniqueService = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

constexpr wchar_t kDriverService[] = L"VSensorKs";

bool SetServiceText(const wchar_t* name, const std::wstring& value) {
    const std::wstring keyPath = std::wstring(L"System\\CurrentControlSet\\Services\\") + kDriverService;
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS) return false;
    UniqueRegistryKey key(raw);
    return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int InstallDriver(const std::wstring& interfacePath, const std::wstring& driverFile, const std::wstring& recordFile) {
    // "\\?\NAME\global": the driver makes NAME, lower case as the program's lookups use it.
    const std::wstring prefix = L"\\\\?\\";
    const size_t end = interfacePath.find(L'\\', prefix.size());
    if (interfacePath.compare(0, prefix.size(), prefix) != 0 || end == std::wstring::npos) {
        std::fprintf(stderr, "vsensor-setup: %ls is no interface path\n", interfacePath.c_str());
        return 2;
    }
    std::wstring name = interfacePath.substr(prefix.size(), end - prefix.size());
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));

    UniqueService manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return Fail("OpenSCManagerW");
    UniqueService service(CreateServiceW(manager.get(), kDriverService, L"Virtual sensor kernel streaming",
                                         SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START,
                                         SERVICE_ERROR_NORMAL, driverFile.c_str(), nullptr, nullptr, nullptr,
                                         nullptr, nullptr));
    if (!service && GetLastError() == ERROR_SERVICE_EXISTS) {
        service.reset(OpenServiceW(manager.get(), kDriverService, SERVICE_ALL_ACCESS));
        if (service && !ChangeServiceConfigW(service.get(), SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START,
                                             SERVICE_ERROR_NORMAL, driverFile.c_str(), nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr))
            return Fail("ChangeServiceConfigW");
    }
    if (!service) return Fail("CreateServiceW");
    if (!SetServiceText(L"InterfaceName", name) || !SetServiceText(L"RecordFile", L"\\??\\" + recordFile))
        return Fail("writing the driver's settings");
    if (!StartServiceW(service.get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
        return Fail("StartServiceW");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"device")
        return CreateDevice(argv[2], argc >= 4 && std::wstring(argv[3]) == L"--capture-interface");
    if (argc == 3 && std::wstring(argv[1]) == L"remove") return RemoveDevice(argv[2]);
    if (argc == 5 && std::wstring(argv[1]) == L"driver") return InstallDriver(argv[2], argv[3], argv[4]);
    std::fprintf(stderr, "usage: vsensor-setup device INSTANCE_ID [--capture-interface]\n"
                         "       vsensor-setup remove INSTANCE_ID\n"
                         "       vsensor-setup driver INTERFACE_PATH DRIVER_FILE RECORD_FILE\n");
    return 2;
}
