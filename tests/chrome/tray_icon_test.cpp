// The tray icon against a recording stand-in for the shell, and its window and menu under Wine.
// (Hiding the main window in the tray is met by main_window_commands_keys_and_busy.)
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/startup_wait.h"
#include "base/unique_handle.h"
#include "base/notifications.h"
#include "desktop_test_support.h"
#include "resources/resource_ids.h"
#include "ui/message_box_dialog.h"
#include "ui/tray_icon.h"
#include "ui/tray_placement.h"

namespace {

constexpr UINT kIconId = IDR_TRAY_MENU;

struct NotifyCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

std::vector<NotifyCall> g_calls;
BOOL g_shellAnswer = TRUE;

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAW data) {
    g_calls.push_back({message, *data});
    return g_shellAnswer;
}

// The command the tray last posted to the main window; 0 when none waits.
WPARAM PostedCommand(HWND main) {
    MSG message{};
    return PeekMessageW(&message, main, WM_COMMAND, WM_COMMAND, PM_REMOVE) ? LOWORD(message.wParam) : 0;
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_shellAnswer = TRUE;
    }

    bool CreateIcon(const std::wstring& tip = L"Tavro Pen") {
        const bool added = icon_.Create(GetModuleHandleW(nullptr), main_.Get(), kTrayCallbackMessage, tip.c_str(),
                                        LoadIconW(nullptr, IDI_APPLICATION), kIconId, false, nullptr, nullptr, 0, 0);
        icon_.SetTargetWindow(main_.Get());
        icon_.SetDefaultMenuItem(IDM_RESTORE, false);
        return added;
    }

    static long CountOf(DWORD message) {
        return std::count_if(g_calls.begin(), g_calls.end(), [message](const NotifyCall& call) { return call.message == message; });
    }

    // Stands in for the main window; the tray posts its commands here.
    UniqueWindow main_{CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)};
    TrayIcon icon_{&RecordNotify};
};

// The program adds its icon without a balloon; its balloons come later, each shown once.
TEST_F(TrayIconTest, AddModifyAndBalloonsCarryTheirFieldsCutToSizeAndTheIconIsDeletedOnce) {
    ASSERT_TRUE(CreateIcon(std::wstring(200, L'x')));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(g_calls[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(std::wstring(g_calls[0].data.szTip), std::wstring(127, L'x'));
    EXPECT_TRUE(icon_.IsShown());

    ASSERT_TRUE(icon_.SetTip(L"next"));
    EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(g_calls.back().data.uFlags, static_cast<UINT>(NIF_TIP));

    EXPECT_TRUE(icon_.ShowBalloon(std::wstring(300, L't').c_str(), std::wstring(80, L'T').c_str(), NIIF_NONE, 10));
    const NOTIFYICONDATAW& balloon = g_calls.back().data;
    EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(balloon.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(balloon.uTimeout, 10000u);
    EXPECT_EQ(std::wstring(balloon.szInfo), std::wstring(255, L't'));
    EXPECT_EQ(std::wstring(balloon.szInfoTitle), std::wstring(63, L'T'));
    ASSERT_TRUE(icon_.SetTip(L"again"));
    EXPECT_STREQ(g_calls.back().data.szInfo, L"");

    // Removal, and destruction, delete the icon once.
    EXPECT_TRUE(icon_.Remove());
    EXPECT_TRUE(icon_.Remove());
    EXPECT_EQ(CountOf(NIM_DELETE), 1);
    EXPECT_FALSE(icon_.IsShown());

    auto icon = std::make_unique<TrayIcon>(&RecordNotify);
    ASSERT_TRUE(icon->Create(GetModuleHandleW(nullptr), main_.Get(), kTrayCallbackMessage, L"tip", nullptr,
                             kIconId, false, nullptr, nullptr, 0, 0));
    HWND window = icon->Window();
    g_calls.clear();
    icon.reset();
    EXPECT_EQ(CountOf(NIM_DELETE), 1);
    EXPECT_FALSE(IsWindow(window));
}

// Start-up waits for the icon: not at all without a tray (10005 instead), else it tries again on
// each tick until the icon is placed, and goes on without it on the 21st tick.
TEST_F(TrayIconTest, StartupGoesOnWithoutATrayElseRetriesEachTickUpToTheTwentyFirst) {
    std::wstring shown;
    testsupport::DialogDriver box([&shown](HWND dialog) {
        shown = testsupport::ControlText(dialog, kMessageTextControlId);
        testsupport::Click(dialog, IDOK);
    });
    auto icon = std::make_unique<TrayIcon>(&RecordNotify, [] { return DWORD{3}; });
    StartupWait noTray([&] { return PlaceProgramTrayIcon(icon, main_.Get(), L"Tavro Pen", nullptr); });
    EXPECT_TRUE(noTray.Begin());
    ASSERT_TRUE(box.Ran());
    EXPECT_EQ(shown, L"#10005\n\nCan not create system tray icon.\nNo system tray icon.");
    EXPECT_FALSE(icon);
    EXPECT_TRUE(g_calls.empty());

    g_shellAnswer = FALSE;
    icon = std::make_unique<TrayIcon>(&RecordNotify, [] { return DWORD{5}; });
    bool made = false;
    StartupWait waiting([&] {
        return std::exchange(made, true) ? icon->Show() : PlaceProgramTrayIcon(icon, main_.Get(), L"Tavro Pen", nullptr);
    });
    EXPECT_FALSE(waiting.Begin());
    for (int tick = 1; tick <= 20; ++tick) EXPECT_FALSE(waiting.Tick()) << "tick " << tick;
    EXPECT_EQ(CountOf(NIM_ADD), 21);
    EXPECT_TRUE(waiting.Tick());
    EXPECT_EQ(CountOf(NIM_ADD), 21);

    EXPECT_FALSE(waiting.Begin());
    for (int tick = 1; tick <= 4; ++tick) EXPECT_FALSE(waiting.Tick()) << "tick " << tick;
    g_shellAnswer = TRUE;
    EXPECT_TRUE(waiting.Tick());
    EXPECT_TRUE(icon->IsShown());
}

TEST_F(TrayIconTest, AShownIconIsAddedAgainWhenTheShellRestartsOrTheWorkAreaChanges) {
    ASSERT_TRUE(CreateIcon());
    icon_.SetTip(L"Tavro Pen\nIdle");
    g_calls.clear();
    // The shell's restart is broadcast, which reaches top-level windows only (not message-only
    // ones); it is sent here to the icon's window alone, so that no other test program hears it.
    ASSERT_EQ(GetAncestor(icon_.Window(), GA_PARENT), GetDesktopWindow());
    SendMessageW(icon_.Window(), TaskbarCreatedMessage(), 0, 0);
    ASSERT_EQ(CountOf(NIM_ADD), 1);
    for (const NotifyCall& call : g_calls) {
        EXPECT_EQ(call.message, static_cast<DWORD>(NIM_ADD));
        EXPECT_STREQ(call.data.szTip, L"Tavro Pen\nIdle");
        EXPECT_EQ(call.data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    }
    EXPECT_TRUE(icon_.IsShown());

    g_calls.clear();
    SendMessageW(icon_.Window(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(CountOf(NIM_ADD), 1);
    SendMessageW(icon_.Window(), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    EXPECT_EQ(CountOf(NIM_ADD), 1);

    // A removed icon stays away.
    icon_.Remove();
    g_calls.clear();
    SendMessageW(icon_.Window(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(CountOf(NIM_ADD), 0);
}

// Reads the open popup menu's state from inside the menu loop, then closes it.
struct OpenMenuProbe {
    static inline UINT trackSpotState = 0;
    static inline UINT defaultItem = 0;
    static inline bool seen = false;
    static void CALLBACK Look(HWND, UINT, UINT_PTR timer, DWORD) {
        HWND menuWindow = FindWindowW(L"#32768", nullptr);
        if (!menuWindow) return;
        KillTimer(nullptr, timer);
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        trackSpotState = GetMenuState(menu, IDM_TRACK_SPOT, MF_BYCOMMAND);
        defaultItem = GetMenuDefaultItem(menu, FALSE, 0);
        seen = true;
        EndMenu();
    }
};

// A double-click runs the default item's command, only for this icon; a right click opens the
// tray menu with Track Spot following the Mode.
TEST_F(TrayIconTest, ADoubleClickRunsTheDefaultItemARightClickOpensTheMenu) {
    ASSERT_TRUE(CreateIcon());
    EXPECT_EQ(icon_.OnTrayNotification(kIconId + 1, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(icon_.OnTrayNotification(kIconId, WM_MOUSEMOVE), 1);
    EXPECT_EQ(PostedCommand(main_.Get()), 0u);
    EXPECT_EQ(SendMessageW(icon_.Window(), kTrayCallbackMessage, kIconId, WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(PostedCommand(main_.Get()), static_cast<WPARAM>(IDM_RESTORE));

    icon_.SetDefaultMenuItem(IDM_COMMON_SETTING, false);
    for (bool tracking : {false, true}) {
        icon_.SetTrackingQuery([tracking] { return tracking; });
        OpenMenuProbe::seen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, &OpenMenuProbe::Look);
        EXPECT_EQ(SendMessageW(icon_.Window(), kTrayCallbackMessage, kIconId, WM_RBUTTONUP), 1);
        KillTimer(nullptr, timer);
        ASSERT_TRUE(OpenMenuProbe::seen);
        EXPECT_EQ((OpenMenuProbe::trackSpotState & MF_GRAYED) != 0, !tracking);
        EXPECT_EQ(OpenMenuProbe::defaultItem, static_cast<UINT>(IDM_COMMON_SETTING));
    }
}

}  // namespace
