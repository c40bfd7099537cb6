#include "app/application.h"

#include "app/button_test_window.h"
#include "app/menu_state.h"
#include "base/notifications.h"
#include "base/program_names.h"
#include "base/window_binding.h"
#include "resources/resource_ids.h"
#include "ui/messages.h"
#include "ui/resource_text.h"

namespace {

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* application = BoundObject<Application*>(window, message, lParam)) {
        return application->HandleMessage(window, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool Application::RegisterMainClass() {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = MainWindowProcedure;
    windowClass.hInstance = ResourceModule();
    windowClass.hIcon = MainIcon();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

bool Application::CreateMainWindow() {
    HINSTANCE executable = ExecutableModule();
    alignmentPicture_.Reset(LoadBitmapW(executable, MAKEINTRESOURCEW(IDB_ALIGNMENT_PICTURE)));
    alignmentPictureSmall_.Reset(
        LoadBitmapW(executable, MAKEINTRESOURCEW(IDB_ALIGNMENT_PICTURE_SMALL)));
    if (!RegisterMainClass()) {
        ShowSystemError(GetLastError());
        return false;
    }
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    HWND main = CreateWindowExW(0, kMainWindowClass, L"Tavro", WS_OVERLAPPEDWINDOW, 0, 0,
                                workArea.right, workArea.bottom, nullptr, nullptr,
                                ResourceModule(), this);
    if (!main) {
        ShowSystemError(GetLastError());
        return false;
    }
    AttachWindow(main);
    screenSize_ = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!controller_.Initialize()) {
        DestroyWindow(main);
        AttachWindow(nullptr);
        return false;
    }
    ShowSplash();
    TrimMainMenu(GetMenu(main));
    DrawMenuBar(main);
    ShowWindow(main, SW_SHOWMAXIMIZED);
    UpdateWindow(main);
    if (!controller_.StartSensor()) {
        ShutdownApplication();
        return false;
    }
    RegisterHotKey(main, kFindThresholdHotkeyId, MOD_ALT | MOD_CONTROL | MOD_SHIFT, 'G');
    return true;
}

LRESULT Application::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_PAINT:
        OnPaint(window);
        break;
    case WM_CLOSE:
        RequestExit();
        return 0;
    case WM_ENDSESSION:
        if (wParam || (static_cast<DWORD>(lParam) & ENDSESSION_LOGOFF)) ShutdownApplication();
        return 0;
    case WM_SETCURSOR:
        // The default handling would put the class arrow back at once.
        if (controller_.WaitCursor()) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_DISPLAYCHANGE:
        controller_.OnDisplayChange();
        return 0;
    case WM_NCCALCSIZE:
        if (mainWindow_ && IsBelow(Mode::Initialized, controller_.CurrentMode())) {
            controller_.OnWindowFrameChanged();
        }
        break;
    case WM_KEYDOWN:
        // Enter and F5 are the trigger; a held key's repeats are not.
        if ((wParam != VK_RETURN && wParam != VK_F5) || !(lParam & (1 << 30))) OnKeyDown(wParam);
        break;
    case WM_KEYUP:
        OnKeyUp(wParam);
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_HOTKEY:
        OnCommand(static_cast<UINT>(wParam));
        return 0;
    case WM_SYSCOMMAND:
        if (OnSysCommand(wParam)) return 0;
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_INITMENUPOPUP:
        ApplyMenuEnabling(reinterpret_cast<HMENU>(wParam), MenuEnabling::Of(controller_));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (!controller_.IsBusy()) controller_.OnTrigger(message, false);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 0;
    case kGraphEventMessage:
        if (controller_.TakeSensorLoss()) {
            ShowSensorDisconnected();
            ShutdownApplication();
            PostQuitMessage(0);
        }
        return 0;
    case kAppNotifyMessage:
        OnAppNotify(wParam, lParam);
        return 0;
    case kTrayCallbackMessage:
        controller_.OnTrayCallback(wParam, lParam);
        return 0;
    case kCloseQuietlyMessage:
        ShutdownApplication();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Application::OnPaint(HWND window) {
    PaintDc paint(window);
    if (!PaintSplash(paint.Get())) controller_.Paint(paint.Get());
}

bool Application::OnSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        // A busy Controller keeps its full-screen picture in front of the sensor.
        if (!controller_.IsBusy()) controller_.MinimizeMain();
        return true;
    case SC_MAXIMIZE:
    case SC_RESTORE:
        controller_.ShowMain();
        return true;
    default:
        return false;
    }
}

void Application::OnTimer(UINT_PTR id) {
    // The settle timer's id is fixed, so a tick left over after a stop still ends it.
    if (id == kFrameTimerId) {
        controller_.OnTimer(id);
    } else if (startupTimerId_ && id == startupTimerId_) {
        OnStartupTick();
    }
}

void Application::OnAppNotify(WPARAM code, LPARAM value) {
    switch (code) {
    case NotifyModeRequest:
        if (value == static_cast<LPARAM>(Mode::Initialized)) {
            OnStartupComplete();
        } else if (value > static_cast<LPARAM>(Mode::Initialized)) {
            HideSplash();
            controller_.EnterMode(static_cast<Mode>(value));
        }
        break;
    case NotifyInformation:
        if (value == static_cast<LPARAM>(Mode::Track)) {
            ShowSensorTracking();
        }
        break;
    case NotifyCursor:
        ShowCursor(value != 0);
        break;
    case NotifyRaise:
        BringWindowToTop(mainWindow_);
        SetActiveWindow(mainWindow_);
        break;
    case NotifyCloseNow:
        controller_.SetPaused(true);
        ShutdownApplication();
        PostQuitMessage(0);
        break;
    case NotifyStepEnded:
        controller_.OnStepEnded();
        break;
    case NotifySlowSensor:
        controller_.ShowSlowSensorBalloon();
        break;
    case NotifyScreenBlocking:
        controller_.ShowBlockingBalloon();
        break;
    case NotifyFormatChanged:
        controller_.OnFormatChanged();
        break;
    default:
        break;
    }
}
