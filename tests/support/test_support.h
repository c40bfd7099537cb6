#pragma once
// Helpers shared by the test programs.
#include <string>

namespace testsupport {

// A fresh, empty folder under the test working directory, made current for the test's life.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::wstring& name);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring previous_;
    std::wstring path_;
};

// Writes raw bytes to a file (replacing it); returns false when it cannot.
bool WriteBytes(const std::wstring& file, const void* data, size_t size);
// Reads a whole file; empty when missing.
std::string ReadBytes(const std::wstring& file);

// The folder of this test program, where the build puts the language libraries, with a
// trailing backslash.
std::wstring TestProgramFolder();
// The build folder (the parent of the test program's folder), with a trailing backslash.
std::wstring BuildFolder();

}  // namespace testsupport
