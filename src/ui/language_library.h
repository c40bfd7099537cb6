#pragma once
// The language resource library: "XDL-<abbreviation>.dll" beside the executable, holding the
// string table, dialogs and menus in the user's language. While the process's library has one
// loaded it is the resource module; otherwise the executable's own English resources are used.
#include <windows.h>

#include <string>

#include "base/unique_handle.h"
#include "ui/language_attempts.h"

class LanguageLibrary {
public:
    // Libraries are looked for in the executable's folder.
    LanguageLibrary();
    // Libraries are looked for in `folder`, which ends with a backslash.
    explicit LanguageLibrary(std::wstring folder);

    // Picks the library of the system's languages (see LanguageAttemptOrder), then falls back
    // to "XDL-DEF.dll". True when a choice was made, including the choice of the executable's
    // own resources for language 1033.
    bool Load();
    bool Load(const LanguageSources& sources);
    // Loads "XDL-<abbreviation>.dll" of the folder in place of the current one; false (and the
    // current one kept) when it cannot.
    bool LoadFile(const wchar_t* abbreviation);
    void Release();

    // Null while the executable's own resources are used.
    HMODULE Module() const { return module_.Get(); }
    // Three letters, "DEF" while no library of a language is loaded.
    const wchar_t* Abbreviation() const { return abbreviation_; }
    // File name of the loaded library; empty when none is loaded.
    const std::wstring& FileName() const { return fileName_; }
    // The language id chosen (or being tried).
    LANGID CurrentLanguage() const { return currentLanguage_; }

private:
    bool TryLanguage(LANGID language);

    UniqueModule module_;
    wchar_t abbreviation_[4] = L"DEF";
    std::wstring fileName_;
    LANGID defaultLanguage_ = kOwnResourcesLanguage;
    LANGID currentLanguage_ = 0;
    std::wstring folder_;
};

// The languages the system reports for this user, in the order of LanguageSources.
LanguageSources SystemLanguageSources();

// The process's one language library, where the resource module comes from.
LanguageLibrary& ProcessLanguageLibrary();
// Loads the user's language library, so that it is the resource module.
void LoadLanguageResources();
// Frees it: the executable is the resource module again.
void ReleaseLanguageResources();

// The user's language library as the resource module for the holder's life.
class LanguageResources {
public:
    LanguageResources() { LoadLanguageResources(); }
    ~LanguageResources() { ReleaseLanguageResources(); }
    LanguageResources(const LanguageResources&) = delete;
    LanguageResources& operator=(const LanguageResources&) = delete;
};
