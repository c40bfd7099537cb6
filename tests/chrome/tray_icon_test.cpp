// The tray icon against a recording stand-in for the shell, and its window and menu under Wine.
// (Hiding the main window in the tray is met by main_window_commands_keys_and_busy.)
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/startup_wait.h"
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

void PumpMessages(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// A stand-in main window that records the messages the tray sends it.
class RecordingWindow {
public:
    RecordingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &RecordingWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TrayTestMainClass";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"TrayTestMainClass", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        received_.clear();
    }
    ~RecordingWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

    static inline std::vector<MSG> received_;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND) {
            received_.push_back(MSG{window, message, wParam, lParam, 0, {}});
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_;
};

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_shellAnswer = TRUE;
    }

    bool CreateIcon() {
        const bool added = icon_.Create(GetModuleHandleW(nullptr), main_.Get(), kTrayCallbackMessage, L"Tavro Pen",
                                        LoadIconW(nullptr, IDI_APPLICATION), kIconId, false, nullptr, nullptr, 0, 0);
        icon_.SetTargetWindow(main_.Get());
        icon_.SetDefaultMenuItem(IDM_RESTORE, false);
        return added;
    }

    static long CountOf(DWORD message) {
        return std::count_if(g_calls.begin(), g_calls.end(), [message](const NotifyCall& call) { return call.message == message; });
    }

    RecordingWindow main_;
    TrayIcon icon_{&RecordNotify};
};

TEST_F(TrayIconTest, AddModifyAndBalloonsCarryTheirFieldsCutToSize) {
    ASSERT_TRUE(icon_.Create(GetModuleHandleW(nullptr), main_.Get(), kTrayCallbackMessage,
                             std::wstring(200, L'x').c_str(), LoadIconW(nullptr, IDI_APPLICATION), kIconId, false,
                             std::wstring(300, L't').c_str(), std::wstring(80, L'T').c_str(), NIIF_INFO, 5));
    ASSERT_EQ(g_calls.size(), 1u);
    const NOTIFYICONDATAW& added = g_calls[0].data;
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_EQ(std::wstring(added.szTip), std::wstring(127, L'x'));
    // A balloon given at creation shows once; its time-out goes in milliseconds.
    EXPECT_EQ(added.uTimeout, 5000u);
    EXPECT_EQ(std::wstring(added.szInfo), std::wstring(255, L't'));
    EXPECT_EQ(std::wstring(added.szInfoTitle), std::wstring(63, L'T'));
    EXPECT_TRUE(icon_.IsShown());

    ASSERT_TRUE(icon_.SetTip(L"next"));
    EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(g_calls.back().data.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_STREQ(g_calls.back().data.szInfo, L"");

    EXPECT_TRUE(icon_.ShowBalloon(L"Sensor response rate becomes slow.", L"Tavro Pen", NIIF_NONE, 10));
    const NOTIFYICONDATAW& balloon = g_calls.back().data;
    EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(balloon.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(balloon.uTimeout, 10000u);
    EXPECT_STREQ(balloon.szInfo, L"Sensor response rate becomes slow.");
    EXPECT_STREQ(balloon.szInfoTitle, L"Tavro Pen");
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

TEST_F(TrayIconTest, RemoveAndDestructionDeleteTheIconOnce) {
    ASSERT_TRUE(CreateIcon());
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

TEST_F(TrayIconTest, AShownIconIsAddedAgainWhenTheShellRestartsOrTheWorkAreaChanges) {
    ASSERT_TRUE(CreateIcon());
    icon_.SetTip(L"Tavro Pen\nIdle");
    g_calls.clear();
    PostMessageW(HWND_BROADCAST, TaskbarCreatedMessage(), 0, 0);
    PumpMessages(300);
    // Test programs running beside this one may broadcast too; each broadcast adds once.
    ASSERT_GE(CountOf(NIM_ADD), 1);
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
    PostMessageW(HWND_BROADCAST, TaskbarCreatedMessage(), 0, 0);
    PumpMessages(300);
    EXPECT_EQ(CountOf(NIM_ADD), 0);
}

TEST_F(TrayIconTest, ADoubleClickRunsTheDefaultItemsCommandOnlyForThisIcon) {
    ASSERT_TRUE(CreateIcon());
    EXPECT_EQ(icon_.OnTrayNotification(kIconId + 1, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(icon_.OnTrayNotification(kIconId, WM_MOUSEMOVE), 1);
    EXPECT_EQ(SendMessageW(icon_.Window(), kTrayCallbackMessage, kIconId, WM_LBUTTONDBLCLK), 1);
    // The default item by position: the fourth is Track Spot.
    icon_.SetDefaultMenuItem(3, true);
    icon_.OnTrayNotification(kIconId, WM_LBUTTONDBLCLK);
    PumpMessages(50);
    ASSERT_EQ(RecordingWindow::received_.size(), 2u);
    EXPECT_EQ(RecordingWindow::received_[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(LOWORD(RecordingWindow::received_[0].wParam), IDM_RESTORE);
    EXPECT_EQ(LOWORD(RecordingWindow::received_[1].wParam), IDM_TRACK_SPOT);
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

TEST_F(TrayIconTest, ARightClickOpensTheTrayMenuWithTrackSpotFollowingTheMode) {
    ASSERT_TRUE(CreateIcon());
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
