#include "control/ks_record.h"

#include "control/sensor_files.h"

std::wstring KsRecordPath() { return BesideControlFile(L"ks-requests.txt"); }

std::vector<std::string> ReadKsRecord() {
    // The driver appends while the file is read.
    const std::string text = ReadFileText(KsRecordPath());
    std::vector<std::string> lines;
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
