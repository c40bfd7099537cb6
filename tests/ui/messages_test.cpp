#include "ui/messages.h"

#include <gtest/gtest.h>

#include "box_driver.h"
#include "test_support.h"

namespace {

const wchar_t kTitle[] = L"Tavro Test Pen";
const std::wstring kFileAccess = L"File access error.\nPlease copy source file and try again.";

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override { SetMessageTitle(kTitle); }
};

TEST_F(MessagesTest, FileMessageForTheCoreParameterFile) {
    BoxDriver driver(IDOK);
    ShowFileError(L"tavro_param.und");
    const ObservedBox& box = driver.Result();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_EQ(box.text, L"#10003\n[ tavro_param.und]\n\n" + kFileAccess + L"\n\nApplication will exit now.");
    EXPECT_TRUE(box.topmost);
    EXPECT_EQ(box.tag, 7);
}

TEST_F(MessagesTest, FatalSensorNotFound) {
    BoxDriver driver(IDOK);
    ShowSensorNotFound();
    EXPECT_EQ(driver.Result().text, L"#10011\n\nSensor not found.\nPlease check whether sensor connects to USB port.\n"
                                    L"Or replug-in.\n\nApplication will exit now.");
}

TEST_F(MessagesTest, SystemErrorReturnsFalseAfterShowingTheCodesText) {
    BoxDriver driver(IDOK);
    EXPECT_FALSE(ShowSystemError(ERROR_FILE_NOT_FOUND));
    const std::wstring text = driver.Result().text;
    EXPECT_EQ(text.rfind(L"#10001\n\nOperating system internal error.\nPlease restart application.\n\n", 0), 0u);
    EXPECT_NE(text.find(SystemTextOf(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
}

TEST_F(MessagesTest, CloseQuestionNamesTheProductAndIsTrueOnlyForOk) {
    BoxDriver cancel(IDCANCEL);
    EXPECT_FALSE(AskCloseNow());
    EXPECT_EQ(cancel.Result().text, L"Close Tavro Test Pen now?");
    EXPECT_EQ(cancel.Result().tag, 0);
    BoxDriver ok(IDOK);
    EXPECT_TRUE(AskCloseNow());
}

TEST_F(MessagesTest, QuestionsReturnTheAnswer) {
    BoxDriver yes(IDYES);
    EXPECT_EQ(AskManualOrAutoAlignment(), IDYES);
    EXPECT_EQ(yes.Result().text, L"1. Press [Yes] to do manual-alignment.\n\n2. Press [No] to redo auto-alignment.");
    BoxDriver no(IDNO);
    EXPECT_FALSE(AskInstallDriver());
}

TEST_F(MessagesTest, HelpWithoutReadmeNamesTheFirstPattern) {
    testsupport::ScratchDirectory folder(L"help_none");
    BoxDriver driver(IDOK);
    OpenHelp(L"ENG");
    EXPECT_EQ(driver.Result().text,
              L"#10003\n[ readme_ENG]\n\n" + kFileAccess + L"\n\nThe specified file was not found.");
}

TEST_F(MessagesTest, HelpWithAReadmeWithoutViewerNamesTheFileAndTheAssociationError) {
    testsupport::ScratchDirectory folder(L"help_pdf");
    ASSERT_TRUE(testsupport::WriteBytes(L"readme_eng.tavrodoc", "x", 1));
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    BoxDriver driver(IDOK);
    OpenHelp(L"DEU");
    EXPECT_EQ(driver.Result().text, L"#10003\n[ " + std::wstring(directory) + L"\\readme_eng]\n\n" + kFileAccess +
                                        L"\n\nThere is no application associated with the given file name extension.");
}

}  // namespace
