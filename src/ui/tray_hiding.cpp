#include "ui/resource_text.h"
#include "ui/tray_icon.h"
#include "ui/tray_window.h"

namespace {

// Owns the main window while it is hidden in the tray; made on first use, for the window it
// hides, and kept to the end.
HWND g_hiddenOwner = nullptr;
TrayWindowLink g_hiddenOwnerLink;

}  // namespace

void HideToTray(HWND window) {
    if (!g_hiddenOwner) {
        g_hiddenOwnerLink.main = window;
        g_hiddenOwner = CreateTrayWindow(ExecutableModule(), kTrayOwnerWindowTitle, &g_hiddenOwnerLink);
    }
    SetParent(window, g_hiddenOwner);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_VISIBLE));
}

void RestoreFromTray(HWND window) {
    SetParent(window, nullptr);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_VISIBLE);
    ShowWindow(window, SW_MAXIMIZE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (g_hiddenOwner) SetActiveWindow(g_hiddenOwner);
    SetActiveWindow(window);
    SetForegroundWindow(window);
}

bool IsHiddenInTray(HWND window) {
    return g_hiddenOwner && GetAncestor(window, GA_PARENT) == g_hiddenOwner;
}
