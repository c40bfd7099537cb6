#include "own_alignment_cache.h"

#include <windows.h>

#include <cstdio>
#include <functional>

#include "harness/program_files.h"

namespace {

// What an alignment leaves: the fit and the display aspect it settled on.
constexpr const wchar_t* kAlignmentFiles[] = {L"tavro_refer.und", L"tavro_disasp.und"};

bool CopyAlignment(const std::wstring& fromFolder, const std::wstring& toFolder) {
    for (const wchar_t* file : kAlignmentFiles)
        if (!CopyFileW((fromFolder + file).c_str(), (toFolder + file).c_str(), FALSE)) return false;
    return true;
}

std::wstring ProgramFolder() { return std::wstring(kProgramFolder) + L"\\"; }

}  // namespace

OwnAlignmentCache::OwnAlignmentCache(const std::string& sensorText, int desktopWidth,
                                     int desktopHeight) {
    wchar_t root[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"TAVRO_E2E_ALIGNMENTS", root, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    wchar_t name[64];
    std::swprintf(name, 64, L"\\%dx%d-%016llx\\", desktopWidth, desktopHeight,
                  static_cast<unsigned long long>(std::hash<std::string>{}(sensorText)));
    folder_ = std::wstring(root) + name;
}

// A half-restored alignment is no harm: the program then aligns afresh and overwrites it.
bool OwnAlignmentCache::Restore() const { return !folder_.empty() && CopyAlignment(folder_, ProgramFolder()); }

bool OwnAlignmentCache::Keep() const {
    if (folder_.empty()) return true;
    CreateDirectoryW(folder_.c_str(), nullptr);
    return CopyAlignment(ProgramFolder(), folder_);
}
