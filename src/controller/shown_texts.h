#pragma once
// The texts the Controller draws, loaded once from the string table in the user's language.
#include <windows.h>

#include <cstddef>

inline constexpr int kModeCount = 9;
inline constexpr size_t kLanguageCodeLength = 260;
inline constexpr size_t kModeTextLength = 260;

// The prompts the Mode pictures draw.
enum class Prompt : int {
    Initializing,        // 20200
    AutoAligning,        // 20201
    ManualAligning,      // 20202
    FindingThreshold,    // 20203
    SensorSlow,          // 20205
    FindingGain,         // 20204
    AutoStart,           // 20208
    ManualStart,         // 20207
    ManualStatus,        // 20300
    ManualDoubleInput,   // 20306
    SensorTracking,      // 20206
    SmallHotSpot,        // 10027
    Count,
};
inline constexpr int kPromptCount = static_cast<int>(Prompt::Count);

struct ShownTexts {
    wchar_t languageCode[kLanguageCodeLength] = L"ENG";
    wchar_t modes[kModeCount][kModeTextLength] = {};
    wchar_t prompts[kPromptCount][kModeTextLength] = {};
};
