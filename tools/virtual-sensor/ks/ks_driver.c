// The virtual sensor's kernel-streaming device: a driver that Wine runs in winedevice.exe. It
// makes the capture interface path that SetupAPI lists for the sensor openable as a device
// (a directory object named after the interface, holding "global", the reference string, as a
// link to the device) and answers IOCTL_KS_PROPERTY requests on it as a camera's driver does.
// Each request is appended as a line to the record file. The service key holds "InterfaceName"
// (the path's first part, after "\\?\") and "RecordFile" (an NT path).
#include <ntddk.h>

#include "ks/ks_device.h"

#define KS_PROPERTY_CODE 0x2F0003 /* IOCTL_KS_PROPERTY, METHOD_NEITHER */
#define NAME_CAPACITY 512

static WCHAR g_deviceName[] = L"\\Device\\VSensorKs0";
static WCHAR g_interfaceDirectory[NAME_CAPACITY];
static WCHAR g_interfaceLink[NAME_CAPACITY];
static WCHAR g_recordFile[NAME_CAPACITY];
static HANDLE g_directory;

// Copies a REG_SZ value of the service key into `text` (NAME_CAPACITY characters).
static BOOLEAN ReadServiceText(HANDLE key, const WCHAR* name, WCHAR* text) {
    UNICODE_STRING valueName;
    RtlInitUnicodeString(&valueName, name);
    UCHAR buffer[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + NAME_CAPACITY * sizeof(WCHAR)];
    ULONG size = 0;
    KEY_VALUE_PARTIAL_INFORMATION* value = (KEY_VALUE_PARTIAL_INFORMATION*)buffer;
    if (!NT_SUCCESS(ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, value, sizeof(buffer), &size)) ||
        value->Type != REG_SZ)
        return FALSE;
    ULONG characters = value->DataLength / sizeof(WCHAR);
    const WCHAR* data = (const WCHAR*)value->Data;
    while (characters > 0 && data[characters - 1] == L'\0') --characters;
    if (characters == 0 || characters >= NAME_CAPACITY) return FALSE;
    for (ULONG i = 0; i < characters; ++i) text[i] = data[i];
    text[characters] = L'\0';
    return TRUE;
}

// "prefix" + "text" + "suffix" into `target` (NAME_CAPACITY characters).
static void Compose(WCHAR* target, const WCHAR* prefix, const WCHAR* text, const WCHAR* suffix) {
    const WCHAR* parts[3] = {prefix, text, suffix};
    size_t length = 0;
    for (int i = 0; i < 3; ++i)
        for (const WCHAR* part = parts[i]; *part && length + 1 < NAME_CAPACITY; ++part) target[length++] = *part;
    target[length] = L'\0';
}

static BOOLEAN ReadSettings(PUNICODE_STRING registryPath) {
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, registryPath, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    HANDLE key = NULL;
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_READ, &attributes))) return FALSE;
    WCHAR interfaceName[NAME_CAPACITY];
    const BOOLEAN read = ReadServiceText(key, L"InterfaceName", interfaceName) &&
                      ReadServiceText(key, L"RecordFile", g_recordFile);
    ZwClose(key);
    if (!read) return FALSE;
    Compose(g_interfaceDirectory, L"\\??\\", interfaceName, L"");
    Compose(g_interfaceLink, L"\\??\\", interfaceName, L"\\global");
    return TRUE;
}

static void Record(const char* text) {
    UNICODE_STRING name;
    RtlInitUnicodeString(&name, g_recordFile);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    HANDLE file = NULL;
    IO_STATUS_BLOCK status;
    if (!NT_SUCCESS(ZwCreateFile(&file, FILE_APPEND_DATA | SYNCHRONIZE, &attributes, &status, NULL,
                                 FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_OPEN_IF,
                                 FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0)))
        return;
    char line[200];
    ULONG length = 0;
    for (; text[length] && length + 2 < sizeof(line); ++length) line[length] = text[length];
    line[length++] = '\r';
    line[length++] = '\n';
    ZwWriteFile(file, NULL, NULL, NULL, &status, line, length, NULL, NULL);
    ZwClose(file);
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR bytes) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = bytes;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS OpenOrClose(PDEVICE_OBJECT device, PIRP irp) {
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS Control(PDEVICE_OBJECT device, PIRP irp) {
    (void)device;
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    if (stack->Parameters.DeviceIoControl.IoControlCode != KS_PROPERTY_CODE)
        return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
    char line[160];
    uint32_t bytes = 0;
    const int answer = VSensorKsAnswer((const uint8_t*)stack->Parameters.DeviceIoControl.Type3InputBuffer,
                                       stack->Parameters.DeviceIoControl.InputBufferLength, (uint8_t*)irp->UserBuffer,
                                       stack->Parameters.DeviceIoControl.OutputBufferLength, line, sizeof(line), &bytes);
    Record(line);
    if (answer == kVSensorKsAnswered) return Complete(irp, STATUS_SUCCESS, bytes);
    return Complete(irp, answer == kVSensorKsTooSmall ? STATUS_BUFFER_TOO_SMALL : STATUS_NOT_FOUND, 0);
}

static void Unload(PDRIVER_OBJECT driver) {
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, g_interfaceLink);
    IoDeleteSymbolicLink(&link);
    if (g_directory) ZwClose(g_directory);
    if (driver->DeviceObject) IoDeleteDevice(driver->DeviceObject);
}

NTSTATUS DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    if (!ReadSettings(registryPath)) return STATUS_INVALID_PARAMETER;
    UNICODE_STRING deviceName;
    RtlInitUnicodeString(&deviceName, g_deviceName);
    PDEVICE_OBJECT device = NULL;
    NTSTATUS status = IoCreateDevice(driver, 0, &deviceName, FILE_DEVICE_KS, 0, FALSE, &device);
    if (!NT_SUCCESS(status)) return status;
    // The reference string after the interface name is reached through a directory of that name.
    UNICODE_STRING directoryName;
    RtlInitUnicodeString(&directoryName, g_interfaceDirectory);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &directoryName, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    status = ZwCreateDirectoryObject(&g_directory, DIRECTORY_ALL_ACCESS, &attributes);
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, g_interfaceLink);
    if (NT_SUCCESS(status)) status = IoCreateSymbolicLink(&link, &deviceName);
    if (!NT_SUCCESS(status)) {
        if (g_directory) ZwClose(g_directory);
        IoDeleteDevice(device);
        return status;
    }
    driver->MajorFunction[IRP_MJ_CREATE] = OpenOrClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = OpenOrClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = Control;
    driver->DriverUnload = Unload;
    Record("driver started");
    return STATUS_SUCCESS;
}
