// The rules behind the settings dialogs: numbers in edit controls, the display aspect change
// and the auto-start command.
#include <gtest/gtest.h>

#include "settings/ratio_change.h"
#include "settings/auto_run.h"
#include "settings/decimal_text.h"

TEST(DecimalTextTest, ShowsNumbersWithG) {
    EXPECT_EQ(FormatDecimal(4.0f), L"4");
    EXPECT_EQ(FormatDecimal(1024.0f), L"1024");
    EXPECT_EQ(FormatDecimal(1.7777778f), L"1.77778");
    EXPECT_EQ(FormatDecimal(0.5f), L"0.5");
}

TEST(DecimalTextTest, ReadsPlainDecimalsAndGivesZeroForAnythingElse) {
    EXPECT_EQ(ParseDecimal(L"16"), 16.0f);
    EXPECT_EQ(ParseDecimal(L" 9.5 "), 9.5f);
    EXPECT_EQ(ParseDecimal(L"1e3"), 1000.0f);
    EXPECT_EQ(ParseDecimal(L""), 0.0f);
    EXPECT_EQ(ParseDecimal(L"wide"), 0.0f);
    EXPECT_EQ(ParseDecimal(L"12abc"), 0.0f);
    EXPECT_EQ(ParseDecimal(L"inf"), 0.0f);
    EXPECT_EQ(ParseDecimal(L"0x10"), 0.0f);
    EXPECT_EQ(ParseDecimal(L"-4"), 0.0f);
    EXPECT_EQ(ParseDecimal(L"1e40"), 0.0f);
}

TEST(AspectChangeTest, NothingDifferentStoresNothing) {
    const AspectChange change = DecideAspectChange({4.0f, 3.0f, 1}, {4.0f, 3.0f, 1});
    EXPECT_FALSE(change.store);
    EXPECT_FALSE(change.needsRealignment);
}

TEST(AspectChangeTest, AutoDetectOffAloneIsStoredWithoutRealignment) {
    const AspectChange change = DecideAspectChange({4.0f, 3.0f, 1}, {4.0f, 3.0f, 0});
    EXPECT_TRUE(change.store);
    EXPECT_FALSE(change.needsRealignment);
}

TEST(AspectChangeTest, AutoDetectOnOrANewSizeNeedsRealignment) {
    EXPECT_TRUE(DecideAspectChange({4.0f, 3.0f, 0}, {4.0f, 3.0f, 1}).needsRealignment);
    EXPECT_TRUE(DecideAspectChange({4.0f, 3.0f, 0}, {16.0f, 3.0f, 0}).needsRealignment);
    EXPECT_TRUE(DecideAspectChange({4.0f, 3.0f, 0}, {4.0f, 9.0f, 0}).needsRealignment);
}

TEST(AspectChangeTest, ComparesTheStoredBitsNotTheValues) {
    // 0 and -0 are equal numbers but different words in the file.
    const AspectChange change = DecideAspectChange({0.0f, 3.0f, 0}, {-0.0f, 3.0f, 0});
    EXPECT_TRUE(change.store);
    EXPECT_TRUE(change.needsRealignment);
}

TEST(AutoRunTest, TheCommandIsThePathInDoubleQuotes) {
    EXPECT_EQ(AutoRunCommand(L"C:\\Program Files\\Tavro\\tavro.exe"), L"\"C:\\Program Files\\Tavro\\tavro.exe\"");
}
