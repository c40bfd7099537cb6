#pragma once
// The five settings dialogs. Each is modal, owned by `owner`, loaded from the resource module,
// shows its texts from the string table and stays on top. They edit the records they are given
// and write the settings files themselves.
#include <windows.h>

#include "settings/core_parameter_record.h"
#include "settings/display_ratio_record.h"
#include "settings/option_record.h"

// Minimise-to-tray, keep-alignment and auto-start. OK stores, Cancel leaves all as it was.
void ShowCommonSettingDialog(HWND owner, OptionRecord& options);

// The track gain level (stored into both gain fields) and "Don't ask again.". The caller
// compares the track gain level before and after.
void ShowGainLevelDialog(HWND owner, OptionRecord& options);

// True when the user chose Open (the caller then opens the user guide). Every way out stores
// "Don't ask again.", writing the option file only when it changed.
bool ShowIntroductionDialog(HWND owner, OptionRecord& options);

// True when the confirmed values need a new alignment (auto-detect on, or another size).
bool ShowDisplayAspectDialog(HWND owner, DisplayAspectRecord& aspect);

// Company, product, version and release date.
void ShowVersionDialog(HWND owner, const CoreParameterRecord& parameters);
