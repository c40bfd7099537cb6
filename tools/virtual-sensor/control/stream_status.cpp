#include "control/stream_status.h"

#include <cstdio>

#include "control/sensor_files.h"

std::wstring StreamStatusPath() { return BesideControlFile(L"status.txt"); }

void WriteStreamStatus(const StreamStatus& status) {
    char text[96];
    const int length = std::snprintf(text, sizeof text, "delivered %lld\nskipped %lld\n",
                                     status.delivered, status.skipped);
    ReplaceFileText(StreamStatusPath(), std::string(text, static_cast<size_t>(length)));
}

bool ReadStreamStatus(StreamStatus* status) {
    const std::string text = ReadFileText(StreamStatusPath());
    return std::sscanf(text.c_str(), "delivered %lld skipped %lld", &status->delivered, &status->skipped) == 2;
}
