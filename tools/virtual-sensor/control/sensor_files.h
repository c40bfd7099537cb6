#pragma once
// Files the sensor keeps beside its control file for whoever watches it from outside.
#include <string>

std::wstring BesideControlFile(const wchar_t* name);
// Replaces the file whole, so a reader never sees half of it.
void ReplaceFileText(const std::wstring& path, const std::string& text);
// The file's text (shared with a writer); empty when it cannot be read.
std::string ReadFileText(const std::wstring& path);
