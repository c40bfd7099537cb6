#include "ui/language_library.h"

#include <cwchar>

namespace {

constexpr wchar_t kFallbackAbbreviation[] = L"DEF";

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    wchar_t* lastBackslash = wcsrchr(path, L'\\');
    if (lastBackslash) lastBackslash[1] = L'\0';
    return path;
}

using LanguageQuery = LANGID(WINAPI*)();

// Looked up at run time: older systems do not have the UI-language functions.
LANGID QueryKernelLanguage(const char* name) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto query = reinterpret_cast<LanguageQuery>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, name) : nullptr));
    return query ? query() : 0;
}

BOOL CALLBACK TakeFirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
    *reinterpret_cast<LANGID*>(found) = language;
    return FALSE;
}

// Without GetSystemDefaultUILanguage the system's own language is that of ntdll's version
// resource.
LANGID SystemModuleLanguage() {
    LANGID language = 0;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll) {
        EnumResourceLanguagesW(ntdll, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), TakeFirstLanguage,
                               reinterpret_cast<LONG_PTR>(&language));
    }
    return language;
}

}  // namespace

LanguageSources SystemLanguageSources() {
    LANGID systemUi = QueryKernelLanguage("GetSystemDefaultUILanguage");
    if (systemUi == 0) systemUi = SystemModuleLanguage();
    return {QueryKernelLanguage("GetUserDefaultUILanguage"), systemUi, GetUserDefaultLangID(),
            GetSystemDefaultLangID()};
}

LanguageLibrary::LanguageLibrary() : folder_(ExecutableFolder()) {}

LanguageLibrary::LanguageLibrary(std::wstring folder) : folder_(std::move(folder)) {}

bool LanguageLibrary::Load() {
    return Load(SystemLanguageSources());
}

bool LanguageLibrary::Load(const LanguageSources& sources) {
    for (LANGID language : LanguageAttemptOrder(sources)) {
        if (TryLanguage(language)) return true;
    }
    return LoadFile(kFallbackAbbreviation);
}

bool LanguageLibrary::TryLanguage(LANGID language) {
    currentLanguage_ = language;
    if (language == defaultLanguage_) {
        Release();
        return true;
    }
    wchar_t abbreviation[4] = {};
    if (GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, abbreviation, 4) == 0) {
        return false;
    }
    return LoadFile(abbreviation);
}

bool LanguageLibrary::LoadFile(const wchar_t* abbreviation) {
    wchar_t fileName[MAX_PATH] = {};
    swprintf(fileName, MAX_PATH, L"%ls%ls.dll", L"XDL-", abbreviation);
    HMODULE loaded = LoadLibraryW((folder_ + fileName).c_str());
    if (!loaded) return false;
    Release();
    module_.Reset(loaded);
    wcsncpy(abbreviation_, abbreviation, 3);
    abbreviation_[3] = L'\0';
    fileName_ = fileName;
    return true;
}

void LanguageLibrary::Release() {
    module_.Reset();
    fileName_.clear();
    wcscpy(abbreviation_, kFallbackAbbreviation);
}

LanguageLibrary& ProcessLanguageLibrary() {
    static LanguageLibrary library;
    return library;
}

void LoadLanguageResources() {
    ProcessLanguageLibrary().Load();
}

void ReleaseLanguageResources() {
    ProcessLanguageLibrary().Release();
}
