#pragma once
// Whole-record file access shared by every fixed-record settings file: one read or one write
// of the record's bytes, by bare file name in the current directory.
#include "settings/file_result.h"

#include <cstddef>
#include <type_traits>

FileResult ReadRecordFile(const wchar_t* fileName, void* record, size_t size);

// `flush` forces the bytes out before closing, for records whose loss costs a new alignment.
FileResult WriteRecordFile(const wchar_t* fileName, const void* record, size_t size, bool flush);

// Reads into a scratch copy and lets `check` accept it (it may also fix the copy up, and
// returns the result to report); `record` is replaced only when the result is Ok, so a short
// or damaged file never leaves a half-replaced record behind.
template <typename Record, typename Check>
FileResult ReadCheckedRecord(const wchar_t* fileName, Record& record, Check check) {
    static_assert(std::is_trivially_copyable_v<Record>, "records are stored byte for byte");
    Record read;
    FileResult result = ReadRecordFile(fileName, &read, sizeof read);
    if (result == FileResult::Ok) result = check(read);
    if (result == FileResult::Ok) record = read;
    return result;
}
