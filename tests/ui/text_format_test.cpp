#include "ui/text_format.h"

#include <gtest/gtest.h>

namespace {

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

TEST(TextFormat, ResultsAreCutToTheirCapacityAndConversionLettersIgnoreLiteralPercent) {
    const std::wstring longText(1000, L'a');
    EXPECT_EQ(FormatText(L"%s", {longText}).size(), kTextCapacity - 1);
    EXPECT_EQ(FormatText(L"<%s>", {longText}, 8), L"<aaaaaa");
    EXPECT_EQ(FormatText(L"%999999999d", {1}).size(), kTextCapacity - 1);
    EXPECT_EQ(ConversionLetters(L"%6.4f x %6.4f"), L"ff");
    EXPECT_EQ(ConversionLetters(L"100%% %s %ld"), L"sd");
    EXPECT_EQ(ConversionLetters(L"%n%s"), L"?s");
}

}  // namespace
