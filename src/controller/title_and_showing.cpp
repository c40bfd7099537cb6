// The main window's title, tray tip and top-most state follow the Mode; showing and minimising
// go through the tray when the option asks for it and the icon is in place.
#include "controller/controller.h"

#include "base/notifications.h"
#include "ui/tray_icon.h"

#include <cwchar>

namespace {

void SetTopMost(HWND window, bool topMost) {
    SetWindowPos(window, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

bool Controller::TrayPlaced() {
    return tray_.icon && TrayIconInPlace();
}

void Controller::UpdateTitle() {
    HWND main = mainWindow_;
    const wchar_t* product = records_.coreParameters.productName;
    const wchar_t* modeText = ModeText(modes_.mode);
    wchar_t text[2 * kModeTextLength + 4];
    swprintf(text, sizeof text / sizeof text[0], L"%ls - %ls", product, modeText);
    SetWindowTextW(main, text);
    if (TrayPlaced()) {
        swprintf(text, sizeof text / sizeof text[0], L"%ls\n%ls", product, modeText);
        tray_.icon->SetTip(text);
    }

    if (modes_.mode != Mode::Track) {
        if (IsIconic(main) || !IsWindowVisible(main)) ShowMain();
        SetTopMost(main, true);
        return;
    }
    // Tracking works on the desktop underneath: the window steps aside unless it has hot
    // spots to show.
    SetTopMost(main, false);
    if (records_.hotSpot.count == 0) {
        MinimizeMain();
        PostMessageW(main, kAppNotifyMessage, NotifyInformation,
                     static_cast<LPARAM>(Mode::Track));
    } else if (IsWindowVisible(main) && !IsIconic(main)) {
        Repaint();
    } else {
        ShowMain();
    }
}

void Controller::ShowMain() {
    HWND main = mainWindow_;
    // Only a window hidden in the tray comes back from there, and it always does, even when
    // the option was turned off meanwhile (the tray menu's Common Setting): shown in place it
    // would stay invisible under its hidden owner.
    if (IsHiddenInTray(main)) {
        RestoreFromTray(main);
    } else {
        ShowWindow(main, SW_SHOWMAXIMIZED);
    }
}

void Controller::MinimizeMain() {
    HWND main = mainWindow_;
    if (records_.options.minimizeToTray && TrayPlaced()) {
        HideToTray(main);
    } else {
        ShowWindow(main, SW_MINIMIZE);
    }
}

void Controller::Repaint() const {
    InvalidateRect(mainWindow_, nullptr, TRUE);
}
