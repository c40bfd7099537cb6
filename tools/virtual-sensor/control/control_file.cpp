#include "control/control_file.h"

#include "app/unique_handle.h"

std::wstring ControlFilePath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VSENSOR_CONTROL", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    return L"C:\\vsensor\\control.txt";
}

ControlFile::ControlFile(std::wstring path) : path_(std::move(path)) {}

bool ControlFile::Refresh(SensorSettings* settings) {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &attributes)) {
        if (loaded_ && !present_) return false;
        loaded_ = true;
        present_ = false;
        *settings = SensorSettings();
        return true;
    }
    const ULONGLONG size = (static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    if (loaded_ && present_ && size == size_ && CompareFileTime(&attributes.ftLastWriteTime, &written_) == 0) return false;
    UniqueFile file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;  // being replaced; try again on the next frame
    std::string text(static_cast<size_t>(size), '\0');
    DWORD read = 0;
    if (size > 0 && !ReadFile(file.Get(), text.data(), static_cast<DWORD>(size), &read, nullptr)) return false;
    text.resize(read);
    loaded_ = true;
    present_ = true;
    written_ = attributes.ftLastWriteTime;
    size_ = size;
    *settings = ParseSensorSettings(text);
    return true;
}

SensorSettings ReadControlFile() {
    SensorSettings settings;
    ControlFile(ControlFilePath()).Refresh(&settings);
    return settings;
}
