#include "ui/help_files.h"

#include <shellapi.h>

#include "base/unique_handle.h"
#include "ui/text_format.h"

namespace {

// The full name of the first file matching a pattern, or empty.
std::wstring FindFirstMatch(const std::wstring& pattern) {
    WIN32_FIND_DATAW found = {};
    if (!UniqueFileSearch(FindFirstFileW(pattern.c_str(), &found))) return std::wstring();
    wchar_t absolute[kTextCapacity] = {};
    const DWORD length = GetFullPathNameW(pattern.c_str(), kTextCapacity, absolute, nullptr);
    if (length == 0 || length >= kTextCapacity) {
        SetLastError(ERROR_INVALID_NAME);
        return std::wstring();
    }
    std::wstring directory(absolute, length);
    const std::size_t slash = directory.find_last_of(L"\\/");
    directory.resize(slash == std::wstring::npos ? 0 : slash);
    return Bounded(directory + L"\\" + found.cFileName);
}

}  // namespace

HelpSearch FindHelpDocument(const wchar_t* baseName, const wchar_t* languageCode) {
    HelpSearch search;
    search.firstPattern = FormatText(L"%s_%s.*", {baseName, languageCode});
    const std::wstring patterns[] = {search.firstPattern, FormatText(L"%s_def.*", {baseName}),
                                     FormatText(L"%s_eng.*", {baseName})};
    for (const std::wstring& pattern : patterns) {
        search.fullName = FindFirstMatch(pattern);
        if (!search.fullName.empty()) break;
    }
    return search;
}

HelpOpenResult OpenHelpDocument(const wchar_t* baseName, const wchar_t* languageCode) {
    const HelpSearch search = FindHelpDocument(baseName, languageCode);
    if (search.fullName.empty()) return {ERROR_FILE_NOT_FOUND, search.firstPattern};
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", search.fullName.c_str(), nullptr, nullptr, SW_SHOW);
    return {reinterpret_cast<INT_PTR>(result), search.fullName};
}
