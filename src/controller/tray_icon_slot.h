#pragma once
// The notification-area icon, made once start-up is complete.
#include <memory>

class TrayIcon;

struct TrayIconSlot {
    // Null without a tray icon.
    std::unique_ptr<TrayIcon> icon;
    bool made = false;
};
