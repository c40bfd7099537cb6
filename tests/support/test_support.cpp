#include "test_support.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return out.good();
}

std::string ReadBytes(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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
