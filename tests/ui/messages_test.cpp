#include "ui/messages.h"

#include <gtest/gtest.h>

#include "box_driver.h"
#include "test_support.h"
#include "ui/message_texts.h"

namespace {

const wchar_t kTitle[] = L"Tavro Test Pen";

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override { SetMessageTitle(kTitle); }
};

// The texts themselves are checked in MessageTexts; here, which box shows them and how.
TEST_F(MessagesTest, FatalMessagesShowTheirTextTopmostUnderTheProductTitle) {
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
}

TEST_F(MessagesTest, HelpThatCannotOpenNamesTheFoundFile) {
    testsupport::ScratchDirectory folder(L"help_pdf");
    // A readme that no viewer is associated with.
    ASSERT_TRUE(testsupport::WriteBytes(L"readme_eng.tavrodoc", "x", 1));
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    BoxDriver noViewer(IDOK);
    OpenHelp(L"DEU");
    EXPECT_EQ(noViewer.Result().text, OpenFailureText((std::wstring(directory) + L"\\readme_eng").c_str(), SE_ERR_NOASSOC));
}

}  // namespace
