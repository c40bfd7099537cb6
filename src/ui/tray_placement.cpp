#include "ui/tray_placement.h"

#include "base/notifications.h"
#include "resources/resource_ids.h"
#include "ui/messages.h"
#include "ui/resource_text.h"

bool PlaceProgramTrayIcon(std::unique_ptr<TrayIcon>& icon, HWND main, const wchar_t* tip, HICON mainIcon) {
    const bool added = icon->Create(ExecutableModule(), main, kTrayCallbackMessage, tip, mainIcon, IDR_TRAY_MENU,
                                    false, nullptr, nullptr, 0, 0);
    if (!icon->IsTraySupported()) {
        icon.reset();
        ShowTrayIconFailure();
        return true;
    }
    icon->SetTargetWindow(main);
    icon->SetDefaultMenuItem(IDM_RESTORE, false);
    return added;
}
