#pragma once
// The one top-level object of the program: it owns the Controller, the main window's start-up
// and its exit paths. Lives on the entry point's stack for the whole run.
#include "app/startup_wait.h"
#include "base/unique_handle.h"
#include "controller/controller.h"
#include "ui/splash_banner.h"
#include "ui/splash_picture.h"

#include <windows.h>

#include <memory>

class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // True when another copy runs (it has been brought forward); this copy then ends.
    static bool CheckSingleInstance();
    // Makes the main window (bound to this object) and starts the Controller in it.
    bool CreateMainWindow();
    // The window everything is shown in from now on: the Controller's pictures and the boxes
    // without an owner of their own; null when it is gone.
    void AttachWindow(HWND main);
    static int RunMessageLoop();
    // The main window procedure's work.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The start-up picture shown while the sensor starts: "splash.jpg", else the drawn banner.
    void ShowSplash();
    void HideSplash();
    // Draws the splash centred in the main window; false when none is shown.
    bool PaintSplash(HDC dc) const;

    void FinishStartup();
    void RequestExit();
    // The once-only teardown; true when this call did it.
    bool ShutdownApplication();

    Controller& GetController() { return controller_; }
    SIZE ScreenSize() const { return screenSize_; }

private:
    bool RegisterMainClass();
    void OnPaint(HWND window);
    void OnCommand(UINT command);
    void OnKeyDown(WPARAM key);
    void OnKeyUp(WPARAM key);
    // Title-bar commands; false when the default handling should run.
    bool OnSysCommand(WPARAM command);
    void OnTimer(UINT_PTR id);
    void EnterModeIfAllowed(Mode mode);
    void OpenButtonTest();
    void OnAppNotify(WPARAM code, LPARAM value);
    void OnStartupComplete();
    void OnStartupTick();

    // Declared before the Controller, which works on them.
    StoredRecords records_;
    AlignmentModel model_;
    Controller controller_{records_, model_};
    HWND mainWindow_ = nullptr;
    bool shutDown_ = false;
    SIZE screenSize_ = {0, 0};
    std::unique_ptr<SplashPicture> splashPicture_;
    std::unique_ptr<SplashBanner> splashBanner_;
    UniqueBitmap alignmentPicture_;
    UniqueBitmap alignmentPictureSmall_;
    UINT_PTR startupTimerId_ = 0;
    StartupWait startupWait_{[this] { return controller_.TrayIconInPlace(); }};
};
