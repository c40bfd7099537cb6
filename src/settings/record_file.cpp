#include "settings/record_file.h"

#include "settings/stdio_file.h"

FileResult ReadRecordBytes(const wchar_t* fileName, void* bytes, size_t size, size_t& got) {
    UniqueStdioFile file(_wfopen(fileName, L"rb"));
    if (!file) return FileResult::CannotOpen;
    got = fread(bytes, 1, size, file.get());
    return FileResult::Ok;
}

FileResult WriteRecordFile(const wchar_t* fileName, const void* record, size_t size, bool flush) {
    UniqueStdioFile file(_wfopen(fileName, L"wb"));
    if (!file) return FileResult::CannotOpen;
    bool complete = fwrite(record, 1, size, file.get()) == size;
    if (flush && fflush(file.get()) != 0) complete = false;
    if (fclose(file.release()) != 0) complete = false;
    return complete ? FileResult::Ok : FileResult::ShortWrite;
}
