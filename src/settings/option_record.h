#pragma once
// The user's options, kept in tavro_option.und next to the executable.
#include "settings/file_result.h"

#include <cstddef>
#include <cstdint>

inline constexpr wchar_t kOptionFileName[] = L"tavro_option.und";

struct OptionRecord {
    int32_t dontAskGainLevel;           // the gain dialog's "Don't ask again."
    int32_t minimizeToTray;
    int32_t skipAlignmentWhenAligned;   // reuse the last alignment when it succeeded
    int32_t gainLevel;                  // 1-4, always equal to trackGainLevel
    int32_t trackGainLevel;
    int32_t dontShowIntroduction;
    int32_t manualAlignmentByDefault;   // what a default-alignment request starts
};
static_assert(sizeof(OptionRecord) == 28);
static_assert(offsetof(OptionRecord, gainLevel) == 12);
static_assert(offsetof(OptionRecord, manualAlignmentByDefault) == 24);

OptionRecord DefaultOptions();

// Invalid when the file is short or the two gain levels differ or lie outside 1-4.
// The file's bytes as a record: short, out-of-range or damaged bytes give a result other than
// Ok and leave `options` as it was.
FileResult DecodeOptions(const void* bytes, size_t size, OptionRecord& options);
FileResult ReadOptions(OptionRecord& options);
FileResult WriteOptions(const OptionRecord& options);
