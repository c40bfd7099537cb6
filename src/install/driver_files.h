#pragma once
// The package's files below the Windows directory.
#include "install/driver_package.h"

#include <string>

// Whether a file search finds the path.
bool FileExists(const std::wstring& path);

// Full path of a package file below the Windows directory.
std::wstring DriverFilePath(const std::wstring& windowsDirectory, const DriverFile& file);

// Counted package files that exist (see CountInstalledFiles); 0 without a Windows directory.
int CountInstalledDriverFiles(const std::wstring& windowsDirectory);

// Deletes every package file that exists, the remover program included; files that cannot be
// deleted are passed over.
void DeleteDriverFiles(const std::wstring& windowsDirectory);
