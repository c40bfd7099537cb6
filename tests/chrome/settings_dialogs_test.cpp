// The settings dialogs driven through their controls, checked by what they leave in the
// option and display aspect files and in the registry. Their texts are the string table's; the
// rules behind them (numbers, what needs realignment) are the settings rules tests' business.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

#include "desktop_test_support.h"
#include "resources/dialog_ids.h"
#include "settings/auto_run.h"
#include "ui/settings_dialogs.h"
#include "test_support.h"

namespace {

using testsupport::Click;
using testsupport::ControlText;
using testsupport::DialogDriver;
using testsupport::IsTopMost;

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring RunValue(HKEY root) {
    wchar_t value[MAX_PATH + 8] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(root, kRunKey, L"TavroPen", RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS) return L"<none>";
    return value;
}

// The record in the file; the file must hold exactly one.
template <typename Record>
Record Stored(const wchar_t* file) {
    Record record{};
    const std::string bytes = testsupport::ReadBytes(file);
    EXPECT_EQ(bytes.size(), sizeof record);
    std::memcpy(&record, bytes.data(), bytes.size() < sizeof record ? bytes.size() : sizeof record);
    return record;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ClearAutoRun(); }
    void TearDown() override { ClearAutoRun(); }

    // The Run value is shared by all test programs running at once: one test at a time uses it.
    testsupport::NamedLock runValueLock_{L"TavroChromeTestsRunValue"};
    testsupport::ScratchDirectory scratch_{L"dialogs"};
    OptionRecord options_ = DefaultOptions();
};

TEST_F(SettingsDialogTest, CommonSettingStoresTheOptionsWithAutoStartOnOkAndNothingOnCancel) {
    options_.skipAlignmentWhenAligned = 0;
    options_.minimizeToTray = 1;
    options_.gainLevel = options_.trackGainLevel = 3;
    // All users' auto start, of another copy, is not this user's: not ticked.
    const wchar_t command[] = L"\"C:\\elsewhere\\tavro.exe\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, L"TavroPen", REG_SZ, command, sizeof command), ERROR_SUCCESS);
    DialogDriver cancel([](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMMON_AUTORUN), BST_UNCHECKED);
        Click(dialog, IDC_COMMON_AUTORUN);
        Click(dialog, IDC_COMMON_MINIMIZE_TO_TRAY);
        Click(dialog, IDCANCEL);
    });
    ShowCommonSettingDialog(nullptr, options_);
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, L"TavroPen");
    ASSERT_TRUE(cancel.Ran());
    EXPECT_EQ(options_.minimizeToTray, 1);
    EXPECT_EQ(testsupport::ReadBytes(kOptionFileName), "");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), L"<none>");

    DialogDriver driver([](HWND dialog) {
        EXPECT_TRUE(IsTopMost(dialog));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMMON_AUTORUN), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMMON_KEEP_ALIGNMENT), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMMON_MINIMIZE_TO_TRAY), BST_CHECKED);
        Click(dialog, IDC_COMMON_AUTORUN);
        Click(dialog, IDC_COMMON_KEEP_ALIGNMENT);
        Click(dialog, IDC_COMMON_MINIMIZE_TO_TRAY);
        Click(dialog, IDOK);
    });
    ShowCommonSettingDialog(nullptr, options_);
    ASSERT_TRUE(driver.Ran());

    const OptionRecord stored = Stored<OptionRecord>(kOptionFileName);
    EXPECT_EQ(stored.minimizeToTray, 0);
    EXPECT_EQ(stored.skipAlignmentWhenAligned, 1);
    EXPECT_EQ(stored.trackGainLevel, 3);
    wchar_t executable[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), L"\"" + std::wstring(executable) + L"\"");

    DialogDriver again([](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COMMON_AUTORUN), BST_CHECKED);
        Click(dialog, IDC_COMMON_AUTORUN);
        Click(dialog, IDOK);
    });
    ShowCommonSettingDialog(nullptr, options_);
    ASSERT_TRUE(again.Ran());
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), L"<none>");
}

TEST_F(SettingsDialogTest, GainMediumStoresTwoInBothGainFields) {
    options_.dontAskGainLevel = 0;
    DialogDriver driver([](HWND dialog) {
        EXPECT_TRUE(IsTopMost(dialog));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GAIN_LOW), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GAIN_AUTO), BST_CHECKED);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_GAIN_AUTO)));
        Click(dialog, IDC_GAIN_MEDIUM);
        Click(dialog, IDC_DONT_ASK_AGAIN);
        Click(dialog, IDOK);
    });
    ShowGainLevelDialog(nullptr, options_);
    ASSERT_TRUE(driver.Ran());
    const OptionRecord stored = Stored<OptionRecord>(kOptionFileName);
    EXPECT_EQ(stored.gainLevel, 2);
    EXPECT_EQ(stored.trackGainLevel, 2);
    EXPECT_EQ(stored.dontAskGainLevel, 1);
    EXPECT_EQ(stored.minimizeToTray, 1);

    // The track level is the one shown; Cancel keeps it and writes nothing.
    ASSERT_TRUE(DeleteFileW(kOptionFileName));
    options_.gainLevel = options_.trackGainLevel = 3;
    DialogDriver cancel([](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GAIN_HIGH), BST_CHECKED);
        Click(dialog, IDC_GAIN_LOW);
        Click(dialog, IDCANCEL);
    });
    ShowGainLevelDialog(nullptr, options_);
    ASSERT_TRUE(cancel.Ran());
    EXPECT_EQ(options_.trackGainLevel, 3);
    EXPECT_EQ(testsupport::ReadBytes(kOptionFileName), "");
}

TEST_F(SettingsDialogTest, IntroductionStoresTheCheckBoxOnlyWhenItChanged) {
    const struct { const char* what; bool tick; UINT message; WPARAM wParam; bool open; } cases[] = {
        {"Open", true, WM_COMMAND, IDOK, true},
        {"Exit unchanged", false, WM_COMMAND, IDCANCEL, false},
        {"close box", true, WM_SYSCOMMAND, SC_CLOSE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(kOptionFileName);
        options_.dontShowIntroduction = 0;
        DialogDriver driver([&c](HWND dialog) {
            if (c.tick) Click(dialog, IDC_DONT_ASK_AGAIN);
            SendMessageW(dialog, c.message, c.wParam, 0);
        });
        EXPECT_EQ(ShowIntroductionDialog(nullptr, options_), c.open);
        ASSERT_TRUE(driver.Ran());
        if (c.tick) {
            EXPECT_EQ(Stored<OptionRecord>(kOptionFileName).dontShowIntroduction, 1);
        } else {
            EXPECT_EQ(testsupport::ReadBytes(kOptionFileName), "");
        }
    }
}

std::tuple<float, float, int32_t> Fields(const DisplayAspectRecord& aspect) {
    return {aspect.width, aspect.height, aspect.autoDetect};
}

TEST_F(SettingsDialogTest, DisplayAspectStoresWhatChangedAndReportsWhatNeedsRealignment) {
    const struct { const char* what; DisplayAspectRecord before; std::function<void(HWND)> steps; bool realign, stored;
                   DisplayAspectRecord after; } cases[] = {
        {"auto-detect turned off", {4.0f, 3.0f, 1},
         [](HWND dialog) {
             EXPECT_EQ(ControlText(dialog, IDC_ASPECT_WIDTH), L"4");
             EXPECT_EQ(ControlText(dialog, IDC_ASPECT_HEIGHT), L"3");
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ASPECT_WIDTH)));
             Click(dialog, IDC_ASPECT_AUTO_DETECT);
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ASPECT_WIDTH)));
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ASPECT_HEIGHT)));
             Click(dialog, IDOK);
         },
         false, true, {4.0f, 3.0f, 0}},
        {"a new size", {4.0f, 3.0f, 0},
         [](HWND dialog) {
             SetDlgItemTextW(dialog, IDC_ASPECT_WIDTH, L"16");
             SetDlgItemTextW(dialog, IDC_ASPECT_HEIGHT, L"9.5");
             Click(dialog, IDOK);
         },
         true, true, {16.0f, 9.5f, 0}},
        {"untouched, a value that %g shows rounded is kept", {1.3333334f, 1.0f, 0},
         [](HWND dialog) {
             EXPECT_EQ(ControlText(dialog, IDC_ASPECT_WIDTH), L"1.33333");
             Click(dialog, IDOK);
         },
         false, false, {1.3333334f, 1.0f, 0}},
        {"Cancel", {4.0f, 3.0f, 1},
         [](HWND dialog) {
             Click(dialog, IDC_ASPECT_AUTO_DETECT);
             Click(dialog, IDCANCEL);
         },
         false, false, {4.0f, 3.0f, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(kDisplayAspectFileName);
        DisplayAspectRecord aspect = c.before;
        DialogDriver driver(c.steps);
        EXPECT_EQ(ShowDisplayAspectDialog(nullptr, aspect), c.realign);
        ASSERT_TRUE(driver.Ran());
        EXPECT_EQ(Fields(aspect), Fields(c.after));
        if (c.stored) {
            EXPECT_EQ(Fields(Stored<DisplayAspectRecord>(kDisplayAspectFileName)), Fields(c.after));
        } else {
            EXPECT_EQ(testsupport::ReadBytes(kDisplayAspectFileName), "");
        }
    }
}

}  // namespace
