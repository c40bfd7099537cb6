// The program's texts: its format engine, and the forms around the string table's texts.
#include "ui/message_texts.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "ui/resource_text.h"
#include "ui/text_format.h"

namespace {

// The forms around the string table's texts: its number, the blank lines, the exit text.
std::wstring ExitText() { return LoadText(IDS_EXIT_NOW); }
std::wstring FileAccessText() { return LoadText(IDS_FILE_ACCESS_ERROR); }

TEST(MessageTexts, FileMessageNamesTheFileAsItIsAndStaysBounded) {
    EXPECT_EQ(FileErrorText(L"100%s%d%n.und"), L"#10003\n[ 100%s%d%n.und]\n\n" + FileAccessText() + L"\n\n" + ExitText());
    const std::wstring text = FileErrorText(std::wstring(5000, L'x'));
    EXPECT_EQ(text.size(), kMessageCapacity - 1);
    EXPECT_EQ(text.compare(0, 9, L"#10003\n[ "), 0);
}

TEST(MessageTexts, FatalAndSystemErrorFormsNumberTheTextAndAddTheExitText) {
    EXPECT_EQ(FatalText(IDS_SENSOR_NOT_FOUND), L"#10011\n\n" + LoadText(IDS_SENSOR_NOT_FOUND) + L"\n\n" + ExitText());
    EXPECT_EQ(NumberedText(IDS_SMALL_HOT_SPOT), L"#10027\n\n" + LoadText(IDS_SMALL_HOT_SPOT));
    const std::wstring numbered = L"#10001\n\n" + LoadText(IDS_OS_ERROR);
    EXPECT_EQ(SystemErrorText(L"Access denied."), numbered + L"\n\nAccess denied.\n\n" + ExitText());
    EXPECT_EQ(SystemErrorText(L""), numbered + L"\n\n" + ExitText());
    EXPECT_FALSE(SystemTextOf(ERROR_ACCESS_DENIED).empty());
}

TEST(MessageTexts, OpenFailureCutsTheExtensionAndNamesTheShellError) {
    EXPECT_EQ(OpenFailureText(L"readme_ENG.*", ERROR_FILE_NOT_FOUND),
              L"#10003\n[ readme_ENG]\n\n" + FileAccessText() + L"\n\nThe specified file was not found.");
    EXPECT_EQ(OpenFailureText(L"C:\\docs.v2\\readme", SE_ERR_NOASSOC),
              L"#10003\n[ C:\\docs.v2\\readme]\n\n" + FileAccessText() + L"\n\n" + ShellOpenErrorText(SE_ERR_NOASSOC));
    EXPECT_STREQ(ShellOpenErrorText(3), ShellOpenErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_STREQ(ShellOpenErrorText(33), L"Unknow error");
    EXPECT_TRUE(LoadText(12345).empty());
}

TEST(MessageTexts, AccuracyReportForFailedAndGoodGradesAndAspectReport) {
    // Grade, largest and average errors in x and y, lost and bad corners.
    const AccuracyFigures failed = {AccuracyGrade::Failed, 0.0f, 0.0f, 0.0f, 0.0f, 9, 0};
    EXPECT_EQ(AccuracyText(failed), L"Accuracy:\tAlignment Failed\n\nLost corners:\t\t--\nBad corners:\t\t--\n"
                                    L"Max error:\t\t--\nAve error\t\t--");
    const AccuracyFigures good = {AccuracyGrade::Good, 3.5f, 12.25f, 0.75f, 1.0f, 2, 1};
    EXPECT_EQ(AccuracyText(good), L"Accuracy:\tGood\n\nLost corners:\t\t2\nBad corners:\t\t1\n"
                                  L"Max error:\t\tx: 3.50\ty:12.25\nAve error\t\tx: 0.75\ty: 1.00");
    EXPECT_EQ(GradeText(7), L"Not aligned");
    DisplayGeometry geometry;
    geometry.SetDesktop(1024, 768);
    geometry.SetAspect(4.0f, 3.0f);
    EXPECT_EQ(SystemAspectText(geometry), L"Desktop aspect:\t  1024 x    768\n\nDisplay aspect:\t4.0000 x 3.0000");
}

TEST(TextFormat, ConversionsWidthsAndPrecisionButMismatchedFormatsGiveNothing) {
    EXPECT_EQ(FormatText(L"#%d\n\n%s", {10003, L"text"}), L"#10003\n\ntext");
    EXPECT_EQ(FormatText(L"%6d x %6d", {1024, 768}), L"  1024 x    768");
    EXPECT_EQ(FormatText(L"%6.4f|%5.2f|%g", {4.0, 3.14159, 0.5}), L"4.0000| 3.14|0.5");
    EXPECT_EQ(FormatText(L"%02d=%-4s|%4s|%.2s", {7, L"ab", L"cd", L"xyz"}), L"07=ab  |  cd|xy");
    EXPECT_EQ(FormatText(L"%d%%", {50}), L"50%");
    EXPECT_EQ(FormatText(L"0x%0X", {255}), L"0xFF");
    std::wstring result = L"old";
    EXPECT_FALSE(FormatText(L"%s", {42}, result));
    EXPECT_TRUE(result.empty());
    EXPECT_EQ(FormatText(L"%s %s", {L"one"}), L"");
    EXPECT_EQ(FormatText(L"%s", {L"one", L"two"}), L"");
    EXPECT_EQ(FormatText(L"%n", {1}), L"");
    EXPECT_EQ(FormatText(L"trailing %", {}), L"");
}

// A translation is taken only with the same conversions: language_german_end_to_end's close question.
TEST(TextFormat, ResultsAreCutToCapacityAndATranslationNeedsTheSameConversionLetters) {
    const std::wstring longText(1000, L'a');
    EXPECT_EQ(FormatText(L"%s", {longText}).size(), kTextCapacity - 1);
    EXPECT_EQ(FormatText(L"<%s>", {longText}, 8), L"<aaaaaa");
    EXPECT_EQ(FormatText(L"%999999999d", {1}).size(), kTextCapacity - 1);
    EXPECT_EQ(ConversionLetters(L"%6.4f x %6.4f"), L"ff");
    EXPECT_EQ(ConversionLetters(L"100%% %s %ld"), L"sd");
    EXPECT_EQ(ConversionLetters(L"%n%s"), L"?s");
    EXPECT_EQ(ChooseFormat(L"Close %s now?", L"Close %d now?"), L"Close %s now?");
    EXPECT_EQ(ChooseFormat(L"Close %s now?", L"Close %s %s now?"), L"Close %s now?");
    EXPECT_EQ(ChooseFormat(L"Close %s now?", L"Close now? %n"), L"Close %s now?");
    EXPECT_EQ(ChooseFormat(L"Close %s now?", L""), L"Close %s now?");
}

}  // namespace
