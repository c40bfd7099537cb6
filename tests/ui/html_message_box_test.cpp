#include "ui/html_message_box.h"

#include <gtest/gtest.h>

#include "base/unique_handle.h"
#include "box_driver.h"

namespace {

using Buttons = std::vector<std::pair<int, std::wstring>>;

// Escape answers OK on an OK box, Cancel where there is one and nothing on a question; the
// driver then presses the last button. (Caption, text, MB_TOPMOST and the tag of the program's
// boxes are MessagesTest's.)
TEST(HtmlMessageBox, EachButtonSetHasTheSystemIdsAndLabelsAndEscapeNeverAnswersAQuestion) {
    const std::pair<UINT, Buttons> sets[] = {
        {MB_OK, {{IDOK, L"OK"}}},
        {MB_OKCANCEL, {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}}},
        {MB_YESNO, {{IDYES, L"Yes"}, {IDNO, L"No"}}},
    };
    for (const auto& [style, buttons] : sets) {
        BoxDriver driver(buttons.back().first, true);
        EXPECT_EQ(HtmlMessageBox(nullptr, L"Choose", L"Sets", style | kMbNoBeep), buttons.back().first) << style;
        EXPECT_EQ(driver.Result().buttons, buttons);
        EXPECT_FALSE(driver.Result().topmost);
    }
}

// A plain hidden top-level window to own boxes.
UniqueWindow MakeOwner(const wchar_t* title) {
    return UniqueWindow(CreateWindowExW(0, L"STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
}

TEST(HtmlMessageBox, CaptionFallsBackToTheOwnerTitleThenError) {
    const auto untitled = MakeOwner(L"");
    BoxDriver first(IDOK);
    HtmlMessageBox(untitled.Get(), L"No caption", nullptr, MB_OK | kMbNoBeep);
    EXPECT_EQ(first.Result().caption, L"Error");
    EXPECT_EQ(first.Result().owner, untitled.Get());

    const auto titled = MakeOwner(L"Owner title");
    BoxDriver second(IDOK);
    HtmlMessageBox(titled.Get(), L"No caption", L"", MB_OK | kMbNoBeep);
    EXPECT_EQ(second.Result().caption, L"Owner title");
}

// The program's boxes all carry an icon, in a cell of its own beside the text.
TEST(HtmlMessageBox, TheIconTakesItsOwnCellBesideTheText) {
    const wchar_t text[] = L"A line long enough to set the width of the box by itself";
    MessageBoxParams params;
    BoxDriver plain(IDOK);
    HtmlMessageBox(nullptr, text, L"Icon", MB_OK | kMbNoBeep, &params);
    BoxDriver withIcon(IDOK);
    HtmlMessageBox(nullptr, text, L"Icon", MB_ICONINFORMATION | kMbNoBeep, &params);
    EXPECT_GE(withIcon.Result().clientSize.cx, plain.Result().clientSize.cx + GetSystemMetrics(SM_CXICON));
    EXPECT_GE(withIcon.Result().clientSize.cy, GetSystemMetrics(SM_CYICON) + 2 * params.spacing);
}

TEST(HtmlMessageBox, LongTextsMakeTheBoxBiggerButKeepItOnTheScreen) {
    BoxDriver small(IDOK);
    HtmlMessageBox(nullptr, L"Short.", L"Size", MB_OK | kMbNoBeep);
    BoxDriver large(IDOK);
    HtmlMessageBox(nullptr, std::wstring(3000, L'w').c_str(), L"Size", MB_OK | kMbNoBeep);
    const SIZE shortBox = small.Result().clientSize, longBox = large.Result().clientSize;
    EXPECT_GT(longBox.cx, shortBox.cx);
    EXPECT_GT(longBox.cy, shortBox.cy);
    EXPECT_LE(longBox.cx, GetSystemMetrics(SM_CXSCREEN));
}

}  // namespace
