#include "app/menu_state.h"

#include "controller/controller.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kFilePopup = 0;
constexpr int kHelpPopup = 3;
constexpr int kTestMenuPosition = 2;
// Items below the first two go: File loses Find Threshold and Track Spot with their
// separators, Help loses its Help and Introduction with the separator before them.
constexpr int kFileItemsRemoved = 4;
constexpr int kHelpItemsRemoved = 3;
constexpr int kFirstRemovedItem = 2;

// 40009 is a reserved command id; a menu that carries it follows the same rule.
constexpr UINT kGrayedWhileBusy[] = {
    IDM_COMMON_SETTING, IDM_GAIN_LEVEL_SETTING, 40009, IDM_DISPLAY_ASPECT,
    IDM_SHOW_SYSTEM_ASPECT, IDM_SHOW_ACCURACY, IDM_HELP, IDM_VERSION,
};

void DeleteItemsAt(HMENU popup, int position, int count) {
    for (int i = 0; i < count; ++i) DeleteMenu(popup, position, MF_BYPOSITION);
}

void Enable(HMENU popup, UINT command, bool enabled) {
    EnableMenuItem(popup, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

MenuEnabling MenuEnabling::Of(const Controller& controller) {
    MenuEnabling enabling;
    enabling.autoAlignment = controller.CanEnterMode(Mode::AutoAlignment);
    enabling.manualAlignment = controller.CanEnterMode(Mode::ManualAlignment);
    enabling.findThreshold = controller.CanEnterMode(Mode::FindGain);
    enabling.busy = controller.IsBusy();
    return enabling;
}

void TrimMainMenu(HMENU menuBar) {
    if (!menuBar) return;
    DeleteItemsAt(GetSubMenu(menuBar, kFilePopup), kFirstRemovedItem, kFileItemsRemoved);
    DeleteItemsAt(GetSubMenu(menuBar, kHelpPopup), kFirstRemovedItem, kHelpItemsRemoved);
    DeleteMenu(menuBar, IDM_DISPLAY_ASPECT, MF_BYCOMMAND);
    DeleteMenu(menuBar, kTestMenuPosition, MF_BYPOSITION);
}

void ApplyMenuEnabling(HMENU popup, const MenuEnabling& enabling) {
    Enable(popup, IDM_AUTO_ALIGNMENT, enabling.autoAlignment);
    Enable(popup, IDM_MANUAL_ALIGNMENT, enabling.manualAlignment);
    Enable(popup, IDM_FIND_THRESHOLD, enabling.findThreshold);
    for (UINT command : kGrayedWhileBusy) Enable(popup, command, !enabling.busy);
}
