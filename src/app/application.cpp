#include "app/application.h"

#include "app/button_test_window.h"
#include "app/process_globals.h"
#include "base/notifications.h"
#include "ui/language_library.h"
#include "ui/messages.h"

Application::Application() {
    g_process.application = this;
}

// A loop that ended without the teardown (a quit message from outside) still has the window
// go before the language library and COM do.
Application::~Application() {
    ShutdownApplication();
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
    if (g_process.application != this) return false;
    HideSplash();
    HWND main = g_process.mainWindow;
    UnregisterHotKey(main, kFindThresholdHotkeyId);
    ButtonTestWindow::Close();
    controller_.Shutdown();
    if (startupTimerId_) {
        KillTimer(main, startupTimerId_);
        startupTimerId_ = 0;
    }
    if (main) DestroyWindow(main);
    g_process.mainWindow = nullptr;
    // Only now: the main window's class was registered with the library as its instance.
    ReleaseLanguageResources();
    g_process.application = nullptr;
    return true;
}
