// Choosing the language library: the order of attempts and which file each choice loads. A
// whole run on a German system is the program chrome tests' business.
#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"
#include "ui/language_library.h"

namespace {

TEST(LanguageAttemptOrderTest, EachSourceTriesItselfItsPrimaryLanguageAndSublanguageOne) {
    using Order = std::vector<LANGID>;
    const struct { LanguageSources sources; Order order; } cases[] = {
        {{2057, 0, 0, 0}, {2057, 9, 1033}},
        // Sublanguage one is not tried twice.
        {{1031, 0, 0, 0}, {1031, 7}},
        {{3079, 0, 0, 0}, {3079, 7, 1031}},
        {{9, 0, 0, 0}, {9, 1033}},
        // Sources in order, unknown ones skipped.
        {{0, 1031, 0, 2057}, {1031, 7, 2057, 9, 1033}},
        {{0, 0, 0, 0}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageAttemptOrder(c.sources), c.order) << c.sources[0] << " " << c.sources[1];
    }
}

TEST(LanguageLibraryTest, EachUserLanguageLoadsItsLibraryTheDefaultOneOrNone) {
    // An empty file name stands for the program's own resources; a current language of 0 is not checked.
    const struct { const char* what; std::vector<const wchar_t*> libraries; LanguageSources sources; bool loaded;
                   const wchar_t *fileName, *abbreviation; LANGID current; } cases[] = {
        {"German", {L"XDL-DEU.dll", L"XDL-DEF.dll"}, {1031, 1033, 1031, 1033}, true, L"XDL-DEU.dll", L"DEU", 1031},
        {"English loads none though the default library is there", {L"XDL-DEF.dll", L"XDL-DEU.dll"},
         {1033, 1033, 1033, 1033}, true, L"", L"DEF", 1033},
        {"English of the United Kingdom ends with the own resources", {L"XDL-DEF.dll"}, {2057, 0, 0, 0}, true,
         L"", L"DEF", 1033},
        {"German without its library falls through to the system language", {L"XDL-DEF.dll"},
         {1031, 2057, 0, 0}, true, L"", L"DEF", 1033},
        {"a language without library uses the default one", {L"XDL-DEF.dll"}, {1041, 1041, 1041, 1041}, true,
         L"XDL-DEF.dll", L"DEF", 0},
        {"no library at all", {}, {1041, 0, 0, 0}, false, L"", L"DEF", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // A folder holding copies of the named libraries only.
        const testsupport::ScratchDirectory scratch(L"languages");
        const std::wstring folder = scratch.Path() + L"\\";
        for (const wchar_t* name : c.libraries)
            CopyFileW((testsupport::TestProgramFolder() + name).c_str(), (folder + name).c_str(), FALSE);
        LanguageLibrary library(folder);
        EXPECT_EQ(library.Load(c.sources), c.loaded);
        EXPECT_EQ(library.Module() != nullptr, *c.fileName != L'\0');
        EXPECT_EQ(library.FileName(), c.fileName);
        EXPECT_STREQ(library.Abbreviation(), c.abbreviation);
        if (c.current) {
            EXPECT_EQ(library.CurrentLanguage(), c.current);
        }
    }
}

}  // namespace
