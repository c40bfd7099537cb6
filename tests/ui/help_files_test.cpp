#include "ui/help_files.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

std::wstring CurrentDirectory() {
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    return directory;
}

TEST(HelpFiles, LanguageFileComesFirstThenDefaultThenEnglish) {
    testsupport::ScratchDirectory folder(L"help_order");
    ASSERT_TRUE(testsupport::WriteBytes(L"intro_eng.doc", "e", 1));
    HelpSearch search = FindHelpDocument(L"intro", L"FRA");
    EXPECT_EQ(search.firstPattern, L"intro_FRA.*");
    EXPECT_EQ(search.fullName, CurrentDirectory() + L"\\intro_eng.doc");

    ASSERT_TRUE(testsupport::WriteBytes(L"intro_def.doc", "d", 1));
    EXPECT_EQ(FindHelpDocument(L"intro", L"FRA").fullName, CurrentDirectory() + L"\\intro_def.doc");

    ASSERT_TRUE(testsupport::WriteBytes(L"intro_FRA.doc", "f", 1));
    EXPECT_EQ(FindHelpDocument(L"intro", L"FRA").fullName, CurrentDirectory() + L"\\intro_FRA.doc");
    EXPECT_TRUE(FindHelpDocument(L"readme", L"FRA").fullName.empty());
}

}  // namespace
