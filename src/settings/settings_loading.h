#pragma once
// What start-up does with each settings file: which failures are repaired silently, which keep
// built-in values, and which end the program with the file message.
#include "settings/alignment_record.h"
#include "settings/chessboard_layout_record.h"
#include "settings/core_parameter_record.h"
#include "settings/display_ratio_record.h"
#include "settings/option_record.h"

// String id of "File access error.\nPlease copy source file and try again.".
inline constexpr int kFileAccessErrorMessage = 10003;

// Outcome of loading a file the product ships and the program cannot run without.
struct RequiredFileLoad {
    FileResult result;
    const wchar_t* fileName;   // the name the file message shows
    bool Succeeded() const { return result == FileResult::Ok; }
    // The message to show before the program ends; 0 on success.
    int FailureMessage() const { return Succeeded() ? 0 : kFileAccessErrorMessage; }
};

// On failure the record keeps its built-in values and the program must end with the file message.
RequiredFileLoad LoadCoreParameterFile(CoreParameterRecord& parameters);
RequiredFileLoad LoadChessboardLayoutFile(ChessboardLayoutRecord& layout);

// Missing or invalid: the built-in options are taken and written back at once; a failed write
// is not reported. Returns the read's result.
FileResult LoadOptionFile(OptionRecord& options);

// Missing or invalid: the built-in record is taken (no alignment is usable); the file is left as
// it is. Returns the read's result.
FileResult LoadAlignmentResultFile(AlignmentRecord& alignment);

// Missing: the file is created from the screen size in pixels, with auto-detect on. Any other
// failure leaves `aspect` as it was. Returns the read's result.
FileResult LoadDisplayAspectFile(DisplayAspectRecord& aspect, int screenWidth, int screenHeight);
