#pragma once
// Whole-record file access shared by every fixed-record settings file: one read or one write
// of the record's bytes, by bare file name in the current directory.
#include "settings/file_result.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

// Reads up to `size` bytes of the file's start; `got` tells how many there were.
FileResult ReadRecordBytes(const wchar_t* fileName, void* bytes, size_t size, size_t& got);

// `flush` forces the bytes out before closing, for records whose loss costs a new alignment.
FileResult WriteRecordFile(const wchar_t* fileName, const void* record, size_t size, bool flush);

// Takes a record from a file's bytes into a scratch copy and lets `check` accept it (it may
// also fix the copy up, and returns the result to report); `record` is replaced only when the
// result is Ok, so a short or damaged file never leaves a half-replaced record behind.
template <typename Record, typename Check>
FileResult DecodeCheckedRecord(const void* bytes, size_t size, Record& record, Check check) {
    static_assert(std::is_trivially_copyable_v<Record>, "records are stored byte for byte");
    if (size < sizeof(Record)) return FileResult::Invalid;
    Record read;
    std::memcpy(&read, bytes, sizeof read);
    const FileResult result = check(read);
    if (result == FileResult::Ok) record = read;
    return result;
}

// Reads a record file and hands its bytes to `decode` (one of the Decode... functions).
template <typename Record>
FileResult ReadDecodedRecord(const wchar_t* fileName, Record& record,
                             FileResult (*decode)(const void*, size_t, Record&)) {
    Record bytes;
    size_t got = 0;
    const FileResult result = ReadRecordBytes(fileName, &bytes, sizeof bytes, got);
    return result == FileResult::Ok ? decode(&bytes, got, record) : result;
}
