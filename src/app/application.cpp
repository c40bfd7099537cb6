#include "app/application.h"

#include "app/button_test_window.h"
#include "app/process_globals.h"
#include "controller/notifications.h"
#include "ui/language_library.h"
#include "ui/messages.h"

Application::Application() {
    g_process.application = this;
}

Application::~Application() {
    if (g_process.application == this) g_process.application = nullptr;
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
    ReleaseLanguageResources();
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
    g_process.application = nullptr;
    return true;
}
