#include "settings/record_file.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using UniqueStdioFile = std::unique_ptr<FILE, FileCloser>;

}  // namespace

FileResult ReadRecordFile(const wchar_t* fileName, void* record, size_t size) {
    UniqueStdioFile file(_wfopen(fileName, L"rb"));
    if (!file) return FileResult::CannotOpen;
    return fread(record, 1, size, file.get()) == size ? FileResult::Ok : FileResult::Invalid;
}

FileResult WriteRecordFile(const wchar_t* fileName, const void* record, size_t size, bool flush) {
    UniqueStdioFile file(_wfopen(fileName, L"wb"));
    if (!file) return FileResult::CannotOpen;
    bool complete = fwrite(record, 1, size, file.get()) == size;
    if (flush && fflush(file.get()) != 0) complete = false;
    if (fclose(file.release()) != 0) complete = false;
    return complete ? FileResult::Ok : FileResult::ShortWrite;
}
