#pragma once
// The program's icon in the notification area: tip, balloons, the tray menu and the default
// command on double click. It re-adds itself when the shell restarts or the work area changes.
#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "base/program_names.h"
#include "ui/tray_window.h"

// The running system's major version.
DWORD SystemMajorVersion();

class TrayIcon {
public:
    // The shell's notification call; tests substitute a recorder.
    using NotifyFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
    // The system's major version, which decides whether there is a tray; tests substitute one.
    using VersionFunction = DWORD (*)();

    explicit TrayIcon(NotifyFunction notify = &Shell_NotifyIconW, VersionFunction majorVersion = &SystemMajorVersion);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Makes the icon's window (standing in for `owner`, see CreateTrayWindow) and adds the icon. The tip is cut to 127 characters, the balloon
    // text to 255 and its title to 63; the balloon shows for `balloonSeconds`. False when the
    // system has no notification area or the shell refused the icon (then it is not shown
    // and Show can try again).
    bool Create(HINSTANCE instance, HWND owner, UINT callbackMessage, const wchar_t* tip, HICON icon, UINT iconId,
                bool hidden, const wchar_t* balloonText, const wchar_t* balloonTitle, DWORD balloonIconFlags,
                UINT balloonSeconds);
    // True when the icon is in the notification area afterwards.
    bool Show();
    // True when the icon is out of the notification area afterwards.
    bool Remove();
    bool IsShown() const { return !notShown_; }
    bool IsTraySupported() const { return traySupported_ != 0; }

    // Shown at once while the icon is in place, else kept for the next add.
    bool SetTip(const wchar_t* tip);
    bool ShowBalloon(const wchar_t* text, const wchar_t* title, DWORD iconFlags, UINT seconds);

    // Where the menu's commands and the default command go; the owner window until set.
    void SetTargetWindow(HWND window) { targetWindow_ = window; }
    // The command (or, by position, the tray menu item) a double click runs; it is shown bold.
    void SetDefaultMenuItem(UINT item, bool byPosition);
    // Whether "Track Spot" is offered: only while the program tracks.
    void SetTrackingQuery(std::function<bool()> isTracking) { isTracking_ = std::move(isTracking); }

    // Mouse messages on the icon: double click runs the default command, a click opens the
    // tray menu. 0 when the message is not for this icon.
    int OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);

    // Makes the tray menu's popup ready: default item bold, "Track Spot" enabled only while
    // tracking.
    void PrepareMenu(HMENU popup) const;

    HWND Window() const { return window_; }

    // The icon's window procedure hands these on.
    UINT CallbackMessage() const { return data_.uCallbackMessage; }
    void OnTaskbarCreated();
    void OnWorkAreaChanged();

private:
    void ReAdd();
    void RunDefaultCommand();
    void ShowMenu();

    NotifyFunction notify_;
    VersionFunction majorVersion_;
    NOTIFYICONDATAW data_{};
    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    TrayWindowLink link_;
    HWND targetWindow_ = nullptr;
    int traySupported_ = 0;
    int notShown_ = 1;
    int removed_ = 1;
    int reAddPending_ = 0;
    int balloonsSupported_ = 0;
    UINT defaultItem_ = 0;
    int defaultByPosition_ = 0;
    UINT createdFlags_ = 0;
    std::function<bool()> isTracking_;
};

// Hides a window in the tray: it becomes a hidden child of the hidden owner window, so it
// leaves the taskbar. RestoreFromTray brings it back maximised and in front.
void HideToTray(HWND window);
void RestoreFromTray(HWND window);
// Whether the window is hidden in the tray, i.e. a child of the hidden owner window.
bool IsHiddenInTray(HWND window);

// The message the shell broadcasts when it (re)starts.
UINT TaskbarCreatedMessage();
