#include "control/ks_record.h"

#include <windows.h>

#include "base/unique_handle.h"
#include "control/control_file.h"

std::wstring KsRecordPath() {
    std::wstring path = ControlFilePath();
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path + L"ks-requests.txt";
}

std::vector<std::string> ReadKsRecord() {
    // The driver appends while the file is read: shared for writing.
    UniqueFile file(CreateFileW(KsRecordPath().c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<std::string> lines;
    if (!file) return lines;
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) break;  // a line still being written
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}
