#include "install/driver_files.h"

#include "base/unique_handle.h"
#include "install/driver_state_rules.h"

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    WIN32_FIND_DATAW found;
    return static_cast<bool>(UniqueFileSearch(FindFirstFileW(path.c_str(), &found)));
}

std::wstring DriverFilePath(const std::wstring& windowsDirectory, const DriverFile& file) {
    std::wstring path = windowsDirectory + L'\\';
    if (*file.folder) path.append(file.folder).append(L"\\");
    return path + file.name;
}

int CountInstalledDriverFiles(const std::wstring& windowsDirectory) {
    if (windowsDirectory.empty()) return 0;
    return CountInstalledFiles([&](const DriverFile& file) {
        return FileExists(DriverFilePath(windowsDirectory, file));
    });
}

void DeleteDriverFiles(const std::wstring& windowsDirectory) {
    if (windowsDirectory.empty()) return;
    for (const DriverFile& file : kDriverFiles) {
        const std::wstring path = DriverFilePath(windowsDirectory, file);
        if (FileExists(path)) DeleteFileW(path.c_str());
    }
}
