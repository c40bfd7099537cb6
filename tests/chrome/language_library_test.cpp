// Choosing the language library: the order of attempts, which file each choice loads, and a
// whole run on a German system.
#include <gtest/gtest.h>

#include "language_probe.h"
#include "resources/resource_ids.h"
#include "test_support.h"
#include "ui/language_library.h"
#include "ui/resource_text.h"

namespace {

using Order = std::vector<LANGID>;

TEST(LanguageAttemptOrderTest, EnglishOfTheUnitedKingdomFallsBackToNeutralThenUnitedStates) {
    EXPECT_EQ(LanguageAttemptOrder({2057, 0, 0, 0}), (Order{2057, 9, 1033}));
}

TEST(LanguageAttemptOrderTest, GermanTriesThePrimaryLanguageButNotSublanguageOneAgain) {
    EXPECT_EQ(LanguageAttemptOrder({1031, 0, 0, 0}), (Order{1031, 7}));
    EXPECT_EQ(LanguageAttemptOrder({3079, 0, 0, 0}), (Order{3079, 7, 1031}));
}

TEST(LanguageAttemptOrderTest, APrimaryLanguageAloneGoesOnToSublanguageOne) {
    EXPECT_EQ(LanguageAttemptOrder({9, 0, 0, 0}), (Order{9, 1033}));
}

TEST(LanguageAttemptOrderTest, SourcesAreTriedInOrderAndUnknownOnesSkipped) {
    EXPECT_EQ(LanguageAttemptOrder({0, 1031, 0, 2057}), (Order{1031, 7, 2057, 9, 1033}));
    EXPECT_TRUE(LanguageAttemptOrder({0, 0, 0, 0}).empty());
}

// The folder of this test program, where the build puts the language libraries.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

// A folder holding copies of the named libraries only.
class LibraryFolder {
public:
    explicit LibraryFolder(std::initializer_list<const wchar_t*> libraries) : scratch_(L"languages") {
        for (const wchar_t* library : libraries) {
            CopyFileW((ProgramFolder() + library).c_str(), (Path() + library).c_str(), FALSE);
        }
    }
    std::wstring Path() const { return scratch_.Path() + L"\\"; }
    // Puts a copy of a built library in the folder under another name.
    bool AddAs(const wchar_t* library, const std::wstring& name) const {
        return CopyFileW((ProgramFolder() + library).c_str(), (Path() + name).c_str(), FALSE) != 0;
    }

private:
    testsupport::ScratchDirectory scratch_;
};

TEST(LanguageLibraryTest, GermanLoadsTheGermanLibraryWithItsTexts) {
    LibraryFolder folder({L"XDL-DEU.dll", L"XDL-DEF.dll"});
    LanguageLibrary library(folder.Path());
    ASSERT_TRUE(library.Load({1031, 1033, 1031, 1033}));
    ASSERT_NE(library.Module(), nullptr);
    EXPECT_STREQ(library.Abbreviation(), L"DEU");
    EXPECT_EQ(library.FileName(), L"XDL-DEU.dll");
    EXPECT_EQ(library.CurrentLanguage(), 1031);
    EXPECT_EQ(LoadModuleText(library.Module(), IDS_COMMON_TITLE), L"Allgemeine Einstellungen");
    EXPECT_EQ(LoadModuleText(library.Module(), IDS_BUTTON_CANCEL), L"Abbrechen");
}

TEST(LanguageLibraryTest, EnglishLoadsNoLibraryEvenWhenTheDefaultOneExists) {
    LibraryFolder folder({L"XDL-DEF.dll", L"XDL-DEU.dll"});
    LanguageLibrary library(folder.Path());
    ASSERT_TRUE(library.Load({1033, 1033, 1033, 1033}));
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_STREQ(library.Abbreviation(), L"DEF");
    EXPECT_EQ(library.CurrentLanguage(), 1033);
}

TEST(LanguageLibraryTest, EnglishOfTheUnitedKingdomEndsWithTheOwnResources) {
    LibraryFolder folder({L"XDL-DEF.dll"});
    LanguageLibrary library(folder.Path());
    ASSERT_TRUE(library.Load({2057, 0, 0, 0}));
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_EQ(library.CurrentLanguage(), 1033);
}

// The library file a language id asks for.
std::wstring LibraryNameOf(LANGID language) {
    wchar_t abbreviation[4] = {};
    GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, abbreviation, 4);
    return std::wstring(L"XDL-") + abbreviation + L".dll";
}

TEST(LanguageLibraryTest, EnglishOfTheUnitedKingdomTriesItsOwnLibraryThenNeutralEnglish) {
    ASSERT_EQ(LibraryNameOf(2057), L"XDL-ENG.dll");
    ASSERT_EQ(LibraryNameOf(9), L"XDL-ENU.dll");
    // Each time only one English library lies beside the default one.
    for (const LANGID present : {2057, 9}) {
        LibraryFolder folder({L"XDL-DEF.dll"});
        ASSERT_TRUE(folder.AddAs(L"XDL-DEU.dll", LibraryNameOf(present)));
        LanguageLibrary library(folder.Path());
        ASSERT_TRUE(library.Load({2057, 0, 0, 0}));
        EXPECT_EQ(library.CurrentLanguage(), present);
        EXPECT_EQ(library.FileName(), LibraryNameOf(present));
    }
}

TEST(LanguageLibraryTest, GermanWithoutItsLibraryFallsThroughToTheSystemLanguage) {
    LibraryFolder folder({L"XDL-DEF.dll"});
    LanguageLibrary library(folder.Path());
    ASSERT_TRUE(library.Load({1031, 2057, 0, 0}));
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_EQ(library.CurrentLanguage(), 1033);
}

TEST(LanguageLibraryTest, ALanguageWithoutLibraryUsesTheDefaultLibrary) {
    LibraryFolder folder({L"XDL-DEF.dll"});
    LanguageLibrary library(folder.Path());
    ASSERT_TRUE(library.Load({1041, 1041, 1041, 1041}));
    ASSERT_NE(library.Module(), nullptr);
    EXPECT_STREQ(library.Abbreviation(), L"DEF");
    EXPECT_EQ(library.FileName(), L"XDL-DEF.dll");
    EXPECT_EQ(LoadModuleText(library.Module(), IDS_COMMON_TITLE), L"Common setting");
}

TEST(LanguageLibraryTest, WithNoLibraryAtAllNothingIsChosen) {
    LibraryFolder folder({});
    LanguageLibrary library(folder.Path());
    EXPECT_FALSE(library.Load({1041, 0, 0, 0}));
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_STREQ(library.Abbreviation(), L"DEF");
}

TEST(LanguageLibraryTest, ReleaseGoesBackToTheOwnResources) {
    LibraryFolder folder({L"XDL-DEU.dll"});
    LanguageLibrary library(folder.Path());
    ASSERT_TRUE(library.Load({1031, 0, 0, 0}));
    library.Release();
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_TRUE(library.FileName().empty());
}

TEST(LanguageLibraryTest, AGermanUserSeesGermanDialogsAndMessages) {
    const std::wstring result = RunLanguageProbe(L"de_DE.UTF-8");
    EXPECT_EQ(result,
              L"DEU\nXDL-DEU.dll\nAllgemeine Einstellungen\nNach dem Windows-Start automatisch ausführen.\n"
              L"Das Symbol im Infobereich kann nicht erstellt werden.\nKein Symbol im Infobereich.\n");
}

TEST(LanguageLibraryTest, AnAmericanUserSeesTheProgramsOwnTexts) {
    const std::wstring result = RunLanguageProbe(L"en_US.UTF-8");
    EXPECT_EQ(result,
              L"DEF\n\nCommon setting\nAuto run after Windows startup.\n"
              L"Can not create system tray icon.\nNo system tray icon.\n");
}

}  // namespace
