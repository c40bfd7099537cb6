#include "ui/rich_text_markup.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <utility>

namespace {

using Kind = RichNode::Kind;

// The concatenated text of a subtree.
std::wstring TextOf(const RichNode& node) {
    std::wstring text = node.text;
    for (const RichNode& child : node.children) text += TextOf(child);
    return text;
}

// A subtree written out: each node's kind and its own values (colours as COLORREF in hex), then
// its children in brackets.
std::wstring Dump(const RichNode& node) {
    static const wchar_t* const kNames[] = {L"root", L"", L"icon", L"br", L"right", L"font", L"table", L"tr", L"td"};
    wchar_t values[128] = L"";
    switch (node.kind) {
    case Kind::Text: swprintf(values, 128, L"'%ls'", node.text.c_str()); break;
    case Kind::Icon: swprintf(values, 128, L" %llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(node.icon))); break;
    case Kind::Table: swprintf(values, 128, L" %d", node.cellPadding); break;
    case Kind::Cell: if (node.width) swprintf(values, 128, L" %d", node.width); break;
    case Kind::Font: swprintf(values, 128, L" %lx '%ls' %d", node.colour, node.face.c_str(), node.size); break;
    default: break;
    }
    std::wstring out = kNames[static_cast<int>(node.kind)] + std::wstring(values);
    for (size_t i = 0; i < node.children.size(); ++i) out += (i ? L" " : L"[") + Dump(node.children[i]);
    return node.children.empty() ? out : out + L"]";
}

TEST(RichTextMarkup, EntitiesDecodeUnknownTagsDropAndWhatIsNoMarkupStaysText) {
    const RichNode root = ParseRichText(L"a &lt;b&gt; &amp; &quot;q&quot;&nbsp;x &#65;&#x42; &bogus; & alone&");
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].text, L"a <b> & \"q\"\u00A0x AB &bogus; & alone&");
    EXPECT_EQ(TextOf(ParseRichText(L"one <blink>two</blink> <b class=x>three</b><!-- note -->")), L"one two three");
    EXPECT_EQ(TextOf(ParseRichText(L"a <font color=red")), L"a <font color=red");
    EXPECT_EQ(TextOf(ParseRichText(L"x < y and y > z")), L"x < y and y > z");
    EXPECT_EQ(TextOf(ParseRichText(L"<<right>>")), L"<>");
    EXPECT_EQ(TextOf(ParseRichText(L"trailing <")), L"trailing <");
    EXPECT_EQ(TextOf(ParseRichText(L"</td></table></font>text</right>")), L"text");
}

// Spaces between table tags are not content; unclosed cells and rows close implicitly.
TEST(RichTextMarkup, TablesIconsFontsAndLineBreaksNestAsWritten) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"<table cellpadding=5><tr><td width=32><icon handle=0x1A2B></td><td><right>Hi</right></td></tr></table>",
         L"root[table 5[tr[td 32[icon 1a2b] td[right['Hi']]]]]"},
        {L"<font color=red face=\"Courier New\" size=+2>A<br>B</font><font colour='#00FF80' size=9>C</font>",
         L"root[font ff 'Courier New' 5['A' br 'B'] font 80ff00 '' 7['C']]"},
        {L"<table> <tr> <td>a<td>b <tr><td>c", L"root[table 0[tr[td['a'] td['b ']] tr[td['c']]]]"},
        {L"<table><tr><td><table><tr><td>in</td></tr></table>out</td></tr></table>",
         L"root[table 0[tr[td[table 0[tr[td['in']]] 'out']]]]"},
    };
    for (const auto& [markup, tree] : cases) EXPECT_EQ(Dump(ParseRichText(markup)), tree);
    EXPECT_EQ(ParseColour(L"chartreuse-ish"), CLR_INVALID);
}

}  // namespace
