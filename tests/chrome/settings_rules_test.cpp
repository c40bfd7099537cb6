// The rules behind the settings dialogs: numbers in edit controls and the display aspect change.
#include <gtest/gtest.h>

#include "settings/ratio_change.h"
#include "settings/decimal_text.h"

// Shown with %g: the display aspect dialog's cases read it.
TEST(DecimalTextTest, ReadsPlainDecimalsAndGivesZeroForAnythingElse) {
    EXPECT_EQ(ParseDecimal(L"16"), 16.0f);
    EXPECT_EQ(ParseDecimal(L" 9.5 "), 9.5f);
    EXPECT_EQ(ParseDecimal(L"1e3"), 1000.0f);
    for (const wchar_t* text : {L"", L"wide", L"12abc", L"inf", L"0x10", L"-4", L"1e40"})
        EXPECT_EQ(ParseDecimal(text), 0.0f) << text;
}

TEST(AspectChangeTest, StoresAnyChangeAndRealignsUnlessOnlyAutoDetectWentOff) {
    const struct { DisplayAspectRecord before, after; bool store, needsRealignment; } cases[] = {
        {{4.0f, 3.0f, 1}, {4.0f, 3.0f, 1}, false, false},
        {{4.0f, 3.0f, 1}, {4.0f, 3.0f, 0}, true, false},
        {{4.0f, 3.0f, 0}, {4.0f, 3.0f, 1}, true, true},
        {{4.0f, 3.0f, 0}, {16.0f, 3.0f, 0}, true, true},
        {{4.0f, 3.0f, 0}, {4.0f, 9.0f, 0}, true, true},
        // 0 and -0 are equal numbers but different words in the file.
        {{0.0f, 3.0f, 0}, {-0.0f, 3.0f, 0}, true, true},
    };
    for (const auto& c : cases) {
        const AspectChange change = DecideAspectChange(c.before, c.after);
        EXPECT_EQ(change.store, c.store) << c.after.width << " " << c.after.autoDetect;
        EXPECT_EQ(change.needsRealignment, c.needsRealignment) << c.after.width << " " << c.after.autoDetect;
    }
}
