// Commands from the menu bar, the tray menu, the hotkey and another copy, and the keys that
// stand for them.
#include "app/application.h"

#include "app/button_test_window.h"
#include "app/keys.h"
#include "resources/resource_ids.h"
#include "ui/settings_dialogs.h"
#include "ui/messages.h"
#include "ui/resource_text.h"

void Application::OnCommand(UINT command) {
    HWND main = mainWindow_;
    switch (command) {
    case IDM_EXIT:
        RequestExit();
        break;
    case IDM_RESTORE:
        controller_.ShowMain();
        break;
    case IDM_AUTO_ALIGNMENT:
        controller_.EnterMode(Mode::AutoAlignment);
        break;
    case IDM_MANUAL_ALIGNMENT:
        controller_.EnterMode(Mode::ManualAlignment);
        break;
    case IDM_FIND_THRESHOLD:
        controller_.EnterMode(Mode::FindGain);
        break;
    case IDM_TRACK_SPOT:
        controller_.EnterMode(Mode::Track);
        break;
    case IDM_COMMON_SETTING:
        ShowCommonSettingDialog(main, controller_.Options());
        break;
    case IDM_GAIN_LEVEL_SETTING:
        controller_.OnGainSettingChanged();
        break;
    case IDM_DISPLAY_ASPECT:
        controller_.OnAspectSettingChanged();
        break;
    case IDM_TEST_BUTTON:
        OpenButtonTest();
        break;
    case IDM_SHOW_SYSTEM_ASPECT:
        ShowSystemAspect(controller_.Geometry());
        break;
    case IDM_SHOW_ACCURACY:
        ShowAccuracy(controller_.AlignmentResult().accuracy);
        break;
    case IDM_HELP:
        OpenHelp(controller_.LanguageCode());
        break;
    case IDM_INTRODUCTION:
        controller_.RunIntroduction();
        break;
    case IDM_VERSION:
        ShowVersionDialog(main, controller_.CoreParameters());
        break;
    default:
        break;
    }
}

void Application::OnKeyDown(WPARAM key) {
    KeyState state;
    state.control = IsHeld(GetAsyncKeyState(VK_CONTROL));
    state.alt = IsHeld(GetAsyncKeyState(VK_MENU));
    state.busy = controller_.IsBusy();
    state.tuningPanelOpen = controller_.TuningPanelOpen();
    switch (KeyDownAction(key, state)) {
    case KeyAction::RequestExit:
        RequestExit();
        break;
    case KeyAction::Trigger:
        controller_.OnTrigger(WM_LBUTTONDOWN, true);
        break;
    case KeyAction::CloseTuningPanel:
        controller_.ShowTuningPanel(false);
        break;
    case KeyAction::AdjustTuning:
        controller_.AdjustTuning(key);
        break;
    case KeyAction::OpenTuningPanel:
        controller_.ShowTuningPanel(true);
        break;
    case KeyAction::AutoAlignment:
        EnterModeIfAllowed(Mode::AutoAlignment);
        break;
    case KeyAction::FindGain:
        EnterModeIfAllowed(Mode::FindGain);
        break;
    case KeyAction::ManualAlignment:
        EnterModeIfAllowed(Mode::ManualAlignment);
        break;
    case KeyAction::Track:
        EnterModeIfAllowed(Mode::Track);
        break;
    case KeyAction::HotSpotCheck:
        controller_.HotSpotCheck();
        break;
    case KeyAction::Help:
        OpenHelp(controller_.LanguageCode());
        break;
    case KeyAction::ButtonTest:
        OpenButtonTest();
        break;
    case KeyAction::None:
        break;
    }
}

void Application::OnKeyUp(WPARAM key) {
    if (key == VK_RETURN || key == VK_F5) controller_.OnTrigger(WM_LBUTTONUP, true);
}

void Application::EnterModeIfAllowed(Mode mode) {
    if (controller_.CanEnterMode(mode)) {
        controller_.EnterMode(mode);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
    }
}

void Application::OpenButtonTest() {
    ButtonTestWindow::Open(mainWindow_, controller_.ProductName(), MainIcon());
}
