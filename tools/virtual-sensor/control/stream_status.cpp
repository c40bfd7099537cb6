#include "control/stream_status.h"

#include <windows.h>

#include <cstdio>

#include "base/unique_handle.h"
#include "control/control_file.h"

std::wstring StreamStatusPath() {
    std::wstring path = ControlFilePath();
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path + L"status.txt";
}

void WriteStreamStatus(const StreamStatus& status) {
    char text[96];
    const int length = std::snprintf(text, sizeof text, "delivered %lld\nskipped %lld\n",
                                     status.delivered, status.skipped);
    const std::wstring path = StreamStatusPath();
    const std::wstring fresh = path + L".new";
    {
        UniqueFile file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), text, static_cast<DWORD>(length), &written, nullptr)) return;
    }
    MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool ReadStreamStatus(StreamStatus* status) {
    UniqueFile file(CreateFileW(StreamStatusPath().c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    char text[96] = {};
    DWORD read = 0;
    if (!file || !ReadFile(file.Get(), text, sizeof text - 1, &read, nullptr)) return false;
    return std::sscanf(text, "delivered %lld skipped %lld", &status->delivered, &status->skipped) == 2;
}
