#pragma once
// Outcome of reading or writing one settings file. The numbers are part of the program's
// vocabulary: callers and messages refer to them.

enum class FileResult : int {
    Ok = 0,
    CannotOpen = 1,
    // The file was shorter than its record, or its contents are out of range.
    Invalid = 2,
    ShortWrite = 3,
    // A text of the core parameters is empty or runs past its slot.
    InvalidText = 4,
};
