// The program's menu bar as loaded from its resources: trimmed once, then enabled item by item
// from the Controller's state whenever a popup opens.
#include "app/menu_state.h"
#include "controller_fixture.h"
#include "resources/resource_ids.h"

#include <vector>

namespace {

// Ids (0 for a separator) of a popup's items, in order.
std::vector<UINT> ItemIds(HMENU popup) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) ids.push_back(GetMenuItemID(popup, i));
    return ids;
}

bool Enabled(HMENU popup, UINT command) {
    const UINT state = GetMenuState(popup, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

class MainMenu : public ControllerFixture {
protected:
    MainMenu() : bar(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU))) {}
    ~MainMenu() override { DestroyMenu(bar); }

    HMENU bar;
};

TEST_F(MainMenu, TrimLeavesTheWorkingCommands) {
    ASSERT_NE(bar, nullptr);
    TrimMainMenu(bar);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(ItemIds(GetSubMenu(bar, 0)),
              (std::vector<UINT>{IDM_AUTO_ALIGNMENT, IDM_MANUAL_ALIGNMENT, 0, IDM_EXIT}));
    EXPECT_EQ(ItemIds(GetSubMenu(bar, 1)),
              (std::vector<UINT>{IDM_COMMON_SETTING, IDM_GAIN_LEVEL_SETTING}));
    EXPECT_EQ(ItemIds(GetSubMenu(bar, 2)),
              (std::vector<UINT>{IDM_SHOW_SYSTEM_ASPECT, IDM_SHOW_ACCURACY, 0, IDM_VERSION}));
}

TEST_F(MainMenu, EnablingFollowsCanEnterModeEachFlagGraysItsCommandsAndBusyNeverTestIntroductionOrExit) {
    HMENU file = GetSubMenu(bar, 0);
    HMENU option = GetSubMenu(bar, 1);
    HMENU test = GetSubMenu(bar, 2);
    HMENU help = GetSubMenu(bar, 3);
    // Without an alignment gain finding is refused while both alignments are offered.
    SetMode(Mode::AutoAlignment);
    ApplyMenuEnabling(file, MenuEnabling::Of(controller));
    EXPECT_TRUE(Enabled(file, IDM_AUTO_ALIGNMENT));
    EXPECT_TRUE(Enabled(file, IDM_MANUAL_ALIGNMENT));
    EXPECT_FALSE(Enabled(file, IDM_FIND_THRESHOLD));
    records.alignmentResult.accuracy.grade = AccuracyGrade::Good;
    ApplyMenuEnabling(file, MenuEnabling::Of(controller));
    EXPECT_TRUE(Enabled(file, IDM_FIND_THRESHOLD)) << "a stored alignment to re-apply";
    // Each flag grays its own command.
    MenuEnabling autoOnly;
    autoOnly.autoAlignment = true;
    ApplyMenuEnabling(file, autoOnly);
    EXPECT_TRUE(Enabled(file, IDM_AUTO_ALIGNMENT));
    EXPECT_FALSE(Enabled(file, IDM_MANUAL_ALIGNMENT));
    EXPECT_FALSE(Enabled(file, IDM_FIND_THRESHOLD));

    EnableMenuItem(file, IDM_TRACK_SPOT, MF_BYCOMMAND | MF_GRAYED);
    MenuEnabling busy;
    busy.busy = true;
    for (HMENU popup : {file, option, test, help}) ApplyMenuEnabling(popup, busy);
    for (UINT command : {IDM_COMMON_SETTING, IDM_GAIN_LEVEL_SETTING, IDM_DISPLAY_ASPECT}) {
        EXPECT_FALSE(Enabled(option, command)) << command;
    }
    for (UINT command : {IDM_SHOW_SYSTEM_ASPECT, IDM_SHOW_ACCURACY, IDM_HELP, IDM_VERSION}) {
        EXPECT_FALSE(Enabled(help, command)) << command;
    }
    EXPECT_TRUE(Enabled(help, IDM_INTRODUCTION));
    EXPECT_TRUE(Enabled(test, IDM_TEST_BUTTON));
    EXPECT_TRUE(Enabled(file, IDM_EXIT));
    EXPECT_FALSE(Enabled(file, IDM_TRACK_SPOT)) << "Track Spot is never changed";

    MenuEnabling idle;
    for (HMENU popup : {option, help}) ApplyMenuEnabling(popup, idle);
    EXPECT_TRUE(Enabled(option, IDM_GAIN_LEVEL_SETTING));
    EXPECT_TRUE(Enabled(help, IDM_VERSION));
}

}  // namespace
