#include "sensor_control.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/unique_handle.h"
#include "control/control_file.h"

SensorControl::SensorControl() : path_(ControlFilePath()) {
    std::ifstream in(std::filesystem::path(path_), std::ios::binary);
    for (std::string line; std::getline(in, line);) lines_.push_back(line);
}

void SensorControl::Set(const std::string& key, const std::string& value) {
    std::vector<std::string> kept;
    for (const std::string& line : lines_) {
        std::istringstream in(line);
        std::string first;
        if (!(in >> first) || first != key) kept.push_back(line);
    }
    kept.push_back(key + " " + value);
    lines_ = kept;
    Write();
}

void SensorControl::Pen(double x, double y, bool on) {
    char text[96];
    std::snprintf(text, sizeof(text), "%.2f %.2f %s", x, y, on ? "on" : "off");
    Set("pen", text);
}

std::string SensorControl::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text;
}

namespace {

constexpr int kReplaceAttempts = 400;  // two seconds at least

}  // namespace

void SensorControl::Write() const {
    // Written beside and moved over the file, so the sensor never reads half of it.
    const std::wstring temporary = path_ + L".new";
    {
        UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;
        const std::string text = Text();
        DWORD written = 0;
        WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    // The sensor opens the file before every frame, and while it reads, the file cannot be
    // replaced: a change given up here would be a pen that never moved or never lifted.
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (MoveFileExW(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
        Sleep(5);
    }
    std::fprintf(stderr, "sensor control: %ls could not be replaced (error %lu)\n", path_.c_str(),
                 GetLastError());
}

long SensorLiveObjects() {
    HMODULE module = GetModuleHandleW(L"vsensor.dll");
    if (!module) return 0;
    using Counter = long(STDAPICALLTYPE*)();
    auto counter = reinterpret_cast<Counter>(reinterpret_cast<void*>(GetProcAddress(module, "VSensorLiveObjects")));
    return counter ? counter() : -1;
}
