#include "ui/html_message_box.h"

#include <gtest/gtest.h>

#include "base/unique_handle.h"
#include "box_driver.h"
#include "ui/message_box_answers.h"

namespace {

using Buttons = std::vector<std::pair<int, std::wstring>>;

// Escape answers OK on an OK box, Cancel on OK/Cancel and nothing on a question; the driver then
// presses the last button. (Caption, text, MB_TOPMOST and the tag of the program's boxes are
// the Messages test's.)
TEST(HtmlMessageBox, EachButtonSetHasTheSystemIdsAndLabelsAndEscapeNeverAnswersAQuestion) {
    const std::pair<UINT, Buttons> sets[] = {
        {MB_OK, {{IDOK, L"OK"}}},
        {MB_OKCANCEL, {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}}},
        {MB_YESNO, {{IDYES, L"Yes"}, {IDNO, L"No"}}},
        {MB_ABORTRETRYIGNORE, {{IDABORT, L"Abort"}, {IDRETRY, L"Retry"}, {IDIGNORE, L"Ignore"}}},
        {MB_YESNOCANCEL, {{IDYES, L"Yes"}, {IDNO, L"No"}, {IDCANCEL, L"Cancel"}}},
        {MB_RETRYCANCEL, {{IDRETRY, L"Retry"}, {IDCANCEL, L"Cancel"}}},
        {MB_CANCELTRYCONTINUE, {{IDCANCEL, L"Cancel"}, {IDTRYAGAIN, L"Try again"}, {IDCONTINUE, L"Continue"}}},
    };
    for (const auto& [style, buttons] : sets) {
        BoxDriver driver(buttons.back().first, false, style == MB_OK || style == MB_OKCANCEL || style == MB_YESNO);
        EXPECT_EQ(HtmlMessageBox(nullptr, L"Choose", L"Sets", style | kMbNoBeep), buttons.back().first) << style;
        EXPECT_EQ(driver.Result().buttons, buttons);
        EXPECT_FALSE(driver.Result().topmost);
    }
}

// Boxes owned by plain hidden windows, the first untitled.
TEST(HtmlMessageBox, CaptionFallsBackToTheOwnerTitleThenError) {
    for (const wchar_t* title : {L"", L"Owner title"}) {
        const UniqueWindow owner(
            CreateWindowExW(0, L"STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        BoxDriver driver(IDOK);
        HtmlMessageBox(owner.Get(), L"No caption", *title ? L"" : nullptr, MB_OK | kMbNoBeep);
        EXPECT_EQ(driver.Result().caption, *title ? title : L"Error");
        EXPECT_EQ(driver.Result().owner, owner.Get());
    }
}

// Each test keeps its answers under its own name: test cases run side by side in processes
// that share the registry.
class RememberedAnswer : public ::testing::Test {
protected:
    void SetUp() override {
        name_ = L"TavroTests";
        for (const char* c = ::testing::UnitTest::GetInstance()->current_test_info()->name(); *c; ++c) name_.push_back(*c);
        params_.companyName = name_.c_str();
        params_.applicationName = L"MessageBox";
        params_.valueNameBase = L"Question";
        params_.valueNumber = 3;
        TearDown();
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + name_).c_str()); }

    int Ask() { return HtmlMessageBox(nullptr, L"Remember?", L"Remember", MB_YESNO | kMbDoNotShowAgain | kMbNoBeep, &params_); }

    std::wstring name_;
    MessageBoxParams params_;
};

TEST_F(RememberedAnswer, OnlyATickedAnswerIsStoredAndThenReturnedWithoutABox) {
    EXPECT_EQ(RememberedAnswerKey(params_), L"Software\\" + name_ + L"\\MessageBox\\TavroMB");
    EXPECT_EQ(RememberedAnswerValueName(params_), L"Question3");
    BoxDriver unticked(IDYES);
    EXPECT_EQ(Ask(), IDYES);
    unticked.Result();
    EXPECT_EQ(ReadRememberedAnswer(params_), 0);
    WriteRememberedAnswer(params_, 0);  // a stored zero still asks
    BoxDriver driver(IDNO, true);
    EXPECT_EQ(Ask(), IDNO);
    EXPECT_EQ(driver.Result().checkLabel, L"Do not show again");
    EXPECT_EQ(ReadRememberedAnswer(params_), IDNO);
    const DWORD before = GetTickCount();
    EXPECT_EQ(Ask(), IDNO);  // no box: nothing presses anything
    EXPECT_LT(GetTickCount() - before, 2000u);
    // Without a company the key has the application only.
    params_.companyName = nullptr;
    params_.applicationName = name_.c_str();
    EXPECT_EQ(RememberedAnswerKey(params_), L"Software\\" + name_ + L"\\TavroMB");
    WriteRememberedAnswer(params_, IDYES);
    EXPECT_EQ(Ask(), IDYES);
}

TEST(HtmlMessageBox, RightAlignedTextSitsInTheIconTableTextCell) {
    MessageBoxParams params;
    params.spacing = 6;
    const HICON icon = LoadIconW(nullptr, IDI_INFORMATION);
    wchar_t expected[256];
    swprintf(expected, 256,
             L"<table cellpadding=6><tr><td width=%d><icon handle=0x%llX></td><td><right>a &amp; b</right></td></tr></table>",
             GetSystemMetrics(SM_CXICON), static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon)));
    EXPECT_EQ(MessageBoxMarkup(L"a &amp; b", MB_RIGHT | MB_ICONINFORMATION, params), expected);
    EXPECT_EQ(MessageBoxMarkup(L"plain", MB_OK, params), L"plain");

    BoxDriver driver(IDOK);
    EXPECT_EQ(HtmlMessageBox(nullptr, L"Right\naligned text", L"Right", MB_RIGHT | MB_ICONINFORMATION | kMbNoBeep, &params),
              IDOK);
    const ObservedBox& box = driver.Result();
    ASSERT_TRUE(box.found);
    EXPECT_GE(box.clientSize.cy, GetSystemMetrics(SM_CYICON) + 2 * 6);
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
