#pragma once
// The help and user-guide documents that come with the product, found by name pattern in the
// current directory (the executable's folder) and opened by the shell.
#include <windows.h>

#include <string>

struct HelpSearch {
    std::wstring firstPattern;  // "<base>_<code>.*", the name a failure reports when nothing is found
    std::wstring fullName;      // directory + found file; empty when no pattern matched
};

// Tries "<base>_<code>.*", then "<base>_def.*", then "<base>_eng.*".
HelpSearch FindHelpDocument(const wchar_t* baseName, const wchar_t* languageCode);

struct HelpOpenResult {
    INT_PTR shellResult;  // ShellExecuteW's result; 2 when nothing was found
    std::wstring name;    // the full name opened, or the first pattern when nothing was found
};

// Finds the document and opens it with its associated viewer.
HelpOpenResult OpenHelpDocument(const wchar_t* baseName, const wchar_t* languageCode);
