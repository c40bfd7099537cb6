#include "harness/program_files.h"

#include <windows.h>

OptionRecord QuietStartOptions() {
    OptionRecord options = DefaultOptions();
    options.dontAskGainLevel = 1;
    options.dontShowIntroduction = 1;
    return options;
}

bool PlaceOptions(const OptionRecord& options, const std::wstring& folder) {
    wchar_t previous[MAX_PATH];
    if (!GetCurrentDirectoryW(MAX_PATH, previous) || !SetCurrentDirectoryW(folder.c_str())) return false;
    const bool written = WriteOptions(options) == FileResult::Ok;
    SetCurrentDirectoryW(previous);
    return written;
}
