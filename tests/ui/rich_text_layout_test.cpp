#include "ui/rich_text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

#include "pixel_canvas.h"

namespace {

class RichTextLayoutTest : public ::testing::Test {
protected:
    SIZE Measure(const std::wstring& markup, int maxWidth = 600) {
        return LayoutRichText(dc_.Get(), nullptr, markup, maxWidth).Size();
    }

    UniqueMemoryDc dc_{CreateCompatibleDC(nullptr)};
};

TEST_F(RichTextLayoutTest, SizeGrowsWithTextLinesAndTabStopsUpToTheMaximumWidth) {
    const SIZE one = Measure(L"short");
    const SIZE longer = Measure(L"short and a good deal longer");
    const SIZE two = Measure(L"short\nshort");
    EXPECT_TRUE(one.cx > 0 && one.cy > 0);
    EXPECT_GT(longer.cx, one.cx);
    EXPECT_EQ(longer.cy, one.cy);
    EXPECT_EQ(std::make_pair(two.cx, two.cy), std::make_pair(one.cx, 2 * one.cy));
    EXPECT_EQ(Measure(L"short<br>short").cy, two.cy);
    EXPECT_EQ(Measure(L"").cx, 0);
    // Tabs advance to common stops.
    EXPECT_EQ(Measure(L"ab\tx").cx, Measure(L"abc\tx").cx);
    EXPECT_EQ(Measure(L"\t\tx").cx, Measure(L"ab\t\tx").cx);
    EXPECT_GT(Measure(L"a\tb").cx, Measure(L"a b").cx);
    // Lines wrap at the maximum width, a word too long for it too.
    const SIZE wrapped = Measure(L"one two three four five six seven eight nine ten eleven twelve", 100);
    EXPECT_LE(wrapped.cx, 100);
    EXPECT_GT(wrapped.cy, one.cy);
    const SIZE longWord = Measure(std::wstring(300, L'x'), 100);
    EXPECT_LE(longWord.cx, 100);
    EXPECT_GT(longWord.cy, one.cy);
}

TEST_F(RichTextLayoutTest, CellPaddingOnBothSidesIconsAndLargerFontsAddToTheSize) {
    const SIZE tight = Measure(L"<table cellpadding=0><tr><td>a</td><td>b</td></tr></table>");
    const SIZE padded = Measure(L"<table cellpadding=10><tr><td>a</td><td>b</td></tr></table>");
    EXPECT_EQ(std::make_pair(padded.cx, padded.cy), std::make_pair(tight.cx + 40, tight.cy + 20));
    EXPECT_GE(Measure(L"<table><tr><td width=80>a</td></tr></table>").cx, 80);
    const HICON icon = LoadIconW(nullptr, IDI_INFORMATION);
    wchar_t markup[128];
    swprintf(markup, 128, L"<table cellpadding=4><tr><td><icon handle=0x%llX></td><td>text</td></tr></table>",
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon)));
    const SIZE withIcon = Measure(markup);
    EXPECT_GE(withIcon.cy, GetSystemMetrics(SM_CYICON) + 8);
    EXPECT_GT(Measure(L"<font size=7>text</font>").cy, Measure(L"text").cy);
    EXPECT_EQ(Measure(L"<icon handle=0x12345>text").cx, Measure(L"text").cx);  // not an icon: nothing drawn
}

TEST_F(RichTextLayoutTest, RightAlignedLinesEndAtTheRightEdge) {
    const RichTextLayout layout = LayoutRichText(dc_.Get(), nullptr, L"<right>ii</right>WWWWWWWWWW", 600);
    const int lineHeight = Measure(L"W").cy;
    const SIZE size = layout.Size();
    testsupport::PixelCanvas canvas(size.cx, size.cy);
    PatBlt(canvas.Dc(), 0, 0, size.cx, size.cy, WHITENESS);
    layout.Draw(canvas.Dc(), 0, 0, RGB(0, 0, 0));
    // The first and last columns with ink in line `line`.
    const auto inkColumns = [&](int line) {
        std::pair<int, int> ink{size.cx, -1};
        for (int y = line * lineHeight; y < (line + 1) * lineHeight && y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                if (canvas.At(x, y) != RGB(255, 255, 255)) ink = {std::min(ink.first, x), std::max(ink.second, x)};
        return ink;
    };
    const auto first = inkColumns(0), second = inkColumns(1);
    EXPECT_GT(first.first, size.cx / 2);
    EXPECT_LT(second.first, 5);
    EXPECT_NEAR(first.second, second.second, 3);
}

// Random tag soup goes through the parser, the layout and the drawing without harm.
TEST_F(RichTextLayoutTest, RandomMarkupLaysOutAndDrawsWithoutHarm) {
    const wchar_t alphabet[] = L"<>/=&;# \"\n\ttdrablefontsizwh0123456789xyz";
    std::mt19937 random(11);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(wcslen(alphabet)) - 1);
    for (int round = 0; round < 1000; ++round) {
        std::wstring markup;
        for (int i = 0; i < 60; ++i) markup.push_back(alphabet[pick(random)]);
        const RichTextLayout layout = LayoutRichText(dc_.Get(), nullptr, markup, 200);
        layout.Draw(dc_.Get(), 0, 0, RGB(0, 0, 0));
        EXPECT_GE(layout.Size().cx, 0);
    }
}

}  // namespace
