#pragma once
// Settings files placed in the program's folder before it starts.
#include <string>

#include "settings/option_record.h"

// Options that let the program go straight to work: no introduction, no gain level question.
OptionRecord QuietStartOptions();
// Writes `options` as the folder's tavro_option.und; true when it was written.
bool PlaceOptions(const OptionRecord& options, const std::wstring& folder = L"C:\\tavro");
