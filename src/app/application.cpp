#include "app/application.h"

#include "app/button_test_window.h"
#include "base/notifications.h"
#include "ui/language_library.h"
#include "ui/messages.h"

Application::Application() = default;

// A loop that ended without the teardown (a quit message from outside) still has the window
// go before the language library and COM do.
Application::~Application() {
    ShutdownApplication();
}

void Application::AttachWindow(HWND main) {
    mainWindow_ = main;
    controller_.AttachWindow(main);
    SetMessageOwner(main);
}

int Application::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Application::RequestExit() {
    if (!AskCloseNow()) return;
    ShutdownApplication();
    PostQuitMessage(0);
}

bool Application::ShutdownApplication() {
    if (shutDown_) return false;
    shutDown_ = true;
    HideSplash();
    HWND main = mainWindow_;
    UnregisterHotKey(main, kFindThresholdHotkeyId);
    ButtonTestWindow::Close();
    controller_.Shutdown();
    if (startupTimerId_) {
        KillTimer(main, startupTimerId_);
        startupTimerId_ = 0;
    }
    if (main) DestroyWindow(main);
    AttachWindow(nullptr);
    // Only now: the main window's class was registered with the library as its instance.
    ReleaseLanguageResources();
    return true;
}
