// The program's boxes: which box shows a text and how, and the help file found for a language.
#include "ui/messages.h"

#include <gtest/gtest.h>

#include "box_driver.h"
#include "ui/help_files.h"
#include "test_support.h"
#include "ui/message_texts.h"

namespace {

const wchar_t kTitle[] = L"Tavro Test Pen";

// The texts themselves are checked in MessageTexts; here, which box shows them and how.
TEST(Messages, FatalMessagesShowTheirTextTopmostUnderTheProductTitleAndHelpNamesTheFileItFound) {
    SetMessageTitle(kTitle);
    BoxDriver fileDriver(IDOK);
    ShowFileError(L"tavro_param.und");
    const ObservedBox& box = fileDriver.Result();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, kTitle);
    // Its text is program_parameter_file_unusable's.
    EXPECT_TRUE(box.topmost);
    EXPECT_EQ(box.tag, 7);

    BoxDriver systemDriver(IDOK);
    EXPECT_FALSE(ShowSystemError(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(systemDriver.Result().text, SystemErrorText(SystemTextOf(ERROR_FILE_NOT_FOUND)));

    testsupport::ScratchDirectory folder(L"help_pdf");
    // A readme that no viewer is associated with.
    ASSERT_TRUE(testsupport::WriteBytes(L"readme_eng.tavrodoc", "x", 1));
    BoxDriver noViewer(IDOK);
    OpenHelp(L"DEU");
    EXPECT_EQ(noViewer.Result().text, OpenFailureText((folder.Path() + L"\\readme_eng").c_str(), SE_ERR_NOASSOC));
}

TEST(HelpFiles, LanguageFileComesFirstThenDefaultThenEnglish) {
    testsupport::ScratchDirectory folder(L"help_order");
    ASSERT_TRUE(testsupport::WriteBytes(L"intro_eng.doc", "e", 1));
    HelpSearch search = FindHelpDocument(L"intro", L"FRA");
    EXPECT_EQ(search.firstPattern, L"intro_FRA.*");
    EXPECT_EQ(search.fullName, folder.Path() + L"\\intro_eng.doc");

    ASSERT_TRUE(testsupport::WriteBytes(L"intro_def.doc", "d", 1));
    EXPECT_EQ(FindHelpDocument(L"intro", L"FRA").fullName, folder.Path() + L"\\intro_def.doc");

    ASSERT_TRUE(testsupport::WriteBytes(L"intro_FRA.doc", "f", 1));
    EXPECT_EQ(FindHelpDocument(L"intro", L"FRA").fullName, folder.Path() + L"\\intro_FRA.doc");
    EXPECT_TRUE(FindHelpDocument(L"readme", L"FRA").fullName.empty());
}

}  // namespace
