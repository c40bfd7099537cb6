#include "ui/tray_icon.h"

#include "base/unique_handle.h"
#include "resources/resource_ids.h"
#include "ui/resource_text.h"
#include "ui/tray_window.h"

#include <cwchar>

namespace {

constexpr UINT kShownMembers = NIF_MESSAGE | NIF_ICON | NIF_TIP;

template <size_t N>
void CopyCut(wchar_t (&slot)[N], const wchar_t* text) {
    wcsncpy(slot, text ? text : L"", N - 1);
    slot[N - 1] = L'\0';
}

OSVERSIONINFOW SystemVersion() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version)) version = {};
    return version;
}

bool BalloonsSupported() {
    const OSVERSIONINFOW version = SystemVersion();
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

}  // namespace

DWORD SystemMajorVersion() { return SystemVersion().dwMajorVersion; }

TrayIcon::TrayIcon(NotifyFunction notify, VersionFunction majorVersion)
    : notify_(notify), majorVersion_(majorVersion), balloonsSupported_(BalloonsSupported()) {
    data_.cbSize = sizeof data_;
    SetLiveTrayIcon(this);
}

TrayIcon::~TrayIcon() {
    if (LiveTrayIcon() == this) {
        Remove();
        SetLiveTrayIcon(nullptr);
    }
    // The window is bound to this icon, so it cannot outlive it.
    if (window_) DestroyWindow(window_);
}

bool TrayIcon::Create(HINSTANCE instance, HWND owner, UINT callbackMessage, const wchar_t* tip, HICON icon,
                      UINT iconId, bool hidden, const wchar_t* balloonText, const wchar_t* balloonTitle,
                      DWORD balloonIconFlags, UINT balloonSeconds) {
    traySupported_ = majorVersion_() >= 4;
    if (!traySupported_) return false;
    instance_ = instance;
    if (!window_) {
        link_ = {owner, this};
        window_ = CreateTrayWindow(instance, L"", &link_);
    }

    data_.hWnd = owner ? owner : window_;
    data_.uID = iconId;
    data_.uFlags = kShownMembers;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    CopyCut(data_.szTip, tip);
    if (balloonsSupported_ && balloonText && *balloonText) {
        data_.uFlags |= NIF_INFO;
        CopyCut(data_.szInfo, balloonText);
        CopyCut(data_.szInfoTitle, balloonTitle);
        data_.uTimeout = balloonSeconds * 1000;
        data_.dwInfoFlags = balloonIconFlags;
    }
    targetWindow_ = data_.hWnd;
    if (balloonsSupported_ && hidden) {
        data_.uFlags = NIF_STATE;
        data_.dwState = NIS_HIDDEN;
        data_.dwStateMask = NIS_HIDDEN;
    }
    createdFlags_ = data_.uFlags;

    bool added = true;
    if (!hidden || balloonsSupported_) {
        added = notify_(NIM_ADD, &data_) != FALSE;
        notShown_ = removed_ = reAddPending_ = added ? 0 : 1;
    }
    data_.szInfo[0] = L'\0';
    return added;
}

bool TrayIcon::Show() {
    if (!removed_) Remove();
    if (!traySupported_) return !removed_;
    data_.uFlags = kShownMembers;
    if (!notify_(NIM_ADD, &data_)) {
        reAddPending_ = 1;
        return !removed_;
    }
    notShown_ = 0;
    removed_ = 0;
    return true;
}

bool TrayIcon::Remove() {
    reAddPending_ = 0;
    if (!traySupported_ || removed_) return true;
    data_.uFlags = 0;
    if (notify_(NIM_DELETE, &data_)) {
        notShown_ = 1;
        removed_ = 1;
    }
    return removed_ != 0;
}

bool TrayIcon::SetTip(const wchar_t* tip) {
    if (!traySupported_) return false;
    data_.uFlags = NIF_TIP;
    CopyCut(data_.szTip, tip);
    if (notShown_) return true;
    return notify_(NIM_MODIFY, &data_) != FALSE;
}

bool TrayIcon::ShowBalloon(const wchar_t* text, const wchar_t* title, DWORD iconFlags, UINT seconds) {
    if (!balloonsSupported_) return false;
    data_.uFlags = NIF_INFO;
    CopyCut(data_.szInfoTitle, title);
    CopyCut(data_.szInfo, text);
    data_.dwInfoFlags = iconFlags;
    data_.uTimeout = seconds * 1000;
    const bool shown = notify_(NIM_MODIFY, &data_) != FALSE;
    data_.szInfo[0] = L'\0';
    return shown;
}

void TrayIcon::SetDefaultMenuItem(UINT item, bool byPosition) {
    defaultItem_ = item;
    defaultByPosition_ = byPosition;
}

void TrayIcon::OnTaskbarCreated() {
    reAddPending_ = 1;
    ReAdd();
}

void TrayIcon::OnWorkAreaChanged() {
    reAddPending_ = IsShown() ? 1 : 0;
    ReAdd();
}

void TrayIcon::ReAdd() {
    if (!reAddPending_ || !IsShown()) return;
    data_.uFlags = createdFlags_;
    notShown_ = reAddPending_ = notify_(NIM_ADD, &data_) ? 0 : 1;
}

int TrayIcon::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != data_.uID || !targetWindow_) return 0;
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_LBUTTONDBLCLK:
            RunDefaultCommand();
            return 1;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            ShowMenu();
            return 1;
        default:
            return 1;
    }
}

namespace {

// The tray menu (resource id = icon id) in the user's language, else the executable's.
UniqueMenu LoadTrayMenu(HINSTANCE instance, UINT iconId) {
    HMENU menu = LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(iconId));
    if (!menu) menu = LoadMenuW(instance, MAKEINTRESOURCEW(iconId));
    return UniqueMenu(menu);
}

}  // namespace

void TrayIcon::RunDefaultCommand() {
    SetForegroundWindow(data_.hWnd);
    UINT command = defaultItem_;
    if (defaultByPosition_) {
        const UniqueMenu menu = LoadTrayMenu(instance_, data_.uID);
        HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
        if (!popup) return;
        command = GetMenuItemID(popup, static_cast<int>(defaultItem_));
    }
    PostMessageW(targetWindow_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TrayIcon::PrepareMenu(HMENU popup) const {
    SetMenuDefaultItem(popup, defaultItem_, defaultByPosition_);
    const bool tracking = isTracking_ && isTracking_();
    EnableMenuItem(popup, IDM_TRACK_SPOT, MF_BYCOMMAND | (tracking ? MF_ENABLED : MF_GRAYED));
}

void TrayIcon::ShowMenu() {
    const UniqueMenu menu = LoadTrayMenu(instance_, data_.uID);
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup) return;
    PrepareMenu(popup);
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(data_.hWnd);
    TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, targetWindow_, nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageW(data_.hWnd, WM_NULL, 0, 0);
}
