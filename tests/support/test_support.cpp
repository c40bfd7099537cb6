#include "test_support.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>

namespace testsupport {

ScratchDirectory::ScratchDirectory(const std::wstring& name) : previous_(std::filesystem::current_path().wstring()) {
    path_ = previous_ + L"\\scratch_" + name + L"_" + std::to_wstring(GetCurrentProcessId());
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directory(path_, ignored);
    std::filesystem::current_path(path_, ignored);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

bool WriteBytes(const std::wstring& file, const void* data, size_t size) {
    FILE* f = _wfopen(file.c_str(), L"wb");
    if (!f) return false;
    bool ok = fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

std::string ReadBytes(const std::wstring& file) {
    FILE* f = _wfopen(file.c_str(), L"rb");
    if (!f) return {};
    std::string bytes;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    fclose(f);
    return bytes;
}

std::wstring TestProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::wstring BuildFolder() {
    const std::wstring program = TestProgramFolder();
    return program.substr(0, program.rfind(L'\\', program.size() - 2) + 1);
}

}  // namespace testsupport
