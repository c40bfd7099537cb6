#include "ui/rich_text_markup.h"

#include <gtest/gtest.h>

namespace {

using Kind = RichNode::Kind;

// The concatenated text of a subtree.
std::wstring TextOf(const RichNode& node) {
    std::wstring text = node.text;
    for (const RichNode& child : node.children) text += TextOf(child);
    return text;
}

TEST(RichTextMarkup, TableWithIconAndRightAlignedTextNests) {
    const RichNode root = ParseRichText(
        L"<table cellpadding=5><tr><td width=32><icon handle=0x1A2B></td><td><right>Hi</right></td></tr></table>");
    ASSERT_EQ(root.children.size(), 1u);
    const RichNode& table = root.children[0];
    ASSERT_EQ(table.kind, Kind::Table);
    EXPECT_EQ(table.cellPadding, 5);
    ASSERT_EQ(table.children.size(), 1u);
    const RichNode& row = table.children[0];
    ASSERT_EQ(row.kind, Kind::Row);
    ASSERT_EQ(row.children.size(), 2u);
    EXPECT_EQ(row.children[0].width, 32);
    ASSERT_EQ(row.children[0].children.size(), 1u);
    EXPECT_EQ(row.children[0].children[0].kind, Kind::Icon);
    EXPECT_EQ(row.children[0].children[0].icon, reinterpret_cast<HICON>(0x1A2B));
    ASSERT_EQ(row.children[1].children.size(), 1u);
    EXPECT_EQ(row.children[1].children[0].kind, Kind::Right);
    EXPECT_EQ(TextOf(row.children[1]), L"Hi");
}

TEST(RichTextMarkup, EntitiesDecodeAndUnknownOnesStayAsText) {
    const RichNode root = ParseRichText(L"a &lt;b&gt; &amp; &quot;q&quot;&nbsp;x &#65;&#x42; &bogus; & alone&");
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].text, L"a <b> & \"q\"\u00A0x AB &bogus; & alone&");
}

TEST(RichTextMarkup, UnknownTagsAreDroppedButUnterminatedTagsAndBareAnglesAreText) {
    EXPECT_EQ(TextOf(ParseRichText(L"one <blink>two</blink> <b class=x>three</b><!-- note -->")), L"one two three");
    EXPECT_EQ(TextOf(ParseRichText(L"a <font color=red")), L"a <font color=red");
    EXPECT_EQ(TextOf(ParseRichText(L"x < y and y > z")), L"x < y and y > z");
    EXPECT_EQ(TextOf(ParseRichText(L"<<right>>")), L"<>");
    EXPECT_EQ(TextOf(ParseRichText(L"trailing <")), L"trailing <");
    EXPECT_EQ(TextOf(ParseRichText(L"</td></table></font>text</right>")), L"text");
}

TEST(RichTextMarkup, FontAttributesAndLineBreaks) {
    const RichNode root =
        ParseRichText(L"<font color=red face=\"Courier New\" size=+2>A<br>B</font><font colour='#00FF80' size=9>C</font>");
    ASSERT_EQ(root.children.size(), 2u);
    const RichNode& first = root.children[0];
    EXPECT_EQ(first.kind, Kind::Font);
    EXPECT_EQ(first.colour, RGB(255, 0, 0));
    EXPECT_EQ(first.face, L"Courier New");
    EXPECT_EQ(first.size, 5);
    ASSERT_EQ(first.children.size(), 3u);
    EXPECT_EQ(first.children[1].kind, Kind::Break);
    EXPECT_EQ(root.children[1].colour, RGB(0, 255, 128));
    EXPECT_EQ(root.children[1].size, 7);
    EXPECT_EQ(ParseColour(L"chartreuse-ish"), CLR_INVALID);
}

TEST(RichTextMarkup, UnclosedCellsAndRowsCloseImplicitlyAndNestedTablesStayInTheirCell) {
    const RichNode root = ParseRichText(L"<table> <tr> <td>a<td>b <tr><td>c");
    ASSERT_EQ(root.children.size(), 1u);
    const RichNode& table = root.children[0];
    ASSERT_EQ(table.children.size(), 2u);
    ASSERT_EQ(table.children[0].children.size(), 2u);
    EXPECT_EQ(TextOf(table.children[0].children[1]), L"b ");
    EXPECT_EQ(TextOf(table.children[1]), L"c");
    EXPECT_EQ(TextOf(table), L"ab c");  // spaces between table tags are not content
    // A nested table stays inside its cell.
    const RichNode nested = ParseRichText(L"<table><tr><td><table><tr><td>in</td></tr></table>out</td></tr></table>");
    const RichNode& cell = nested.children[0].children[0].children[0];
    ASSERT_EQ(cell.children.size(), 2u);
    EXPECT_EQ(cell.children[0].kind, Kind::Table);
    EXPECT_EQ(cell.children[1].text, L"out");
}

}  // namespace
