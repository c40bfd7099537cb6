#include "control/control_file.h"

#include "base/unique_handle.h"

std::wstring ControlFilePath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VSENSOR_CONTROL", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    return L"C:\\vsensor\\control.txt";
}

ControlFile::ControlFile(std::wstring path) : path_(std::move(path)) {}

bool ControlFile::Refresh(SensorSettings* settings) {
    // The text itself is compared: two writes within one file-time tick with the same size
    // would look alike by time stamp and size, and the second change would be lost.
    UniqueFile file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;  // being replaced
        if (loaded_ && !present_) return false;
        loaded_ = true;
        present_ = false;
        text_.clear();
        *settings = SensorSettings();
        return true;
    }
    reading_.clear();  // reused: the file is read before every frame
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) reading_.append(buffer, read);
    if (loaded_ && present_ && reading_ == text_) return false;
    loaded_ = true;
    present_ = true;
    text_ = reading_;
    *settings = ParseSensorSettings(text_);
    return true;
}

SensorSettings ReadControlFile() {
    SensorSettings settings;
    ControlFile(ControlFilePath()).Refresh(&settings);
    return settings;
}
