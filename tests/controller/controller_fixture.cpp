#include "controller_fixture.h"

#include "ui/messages.h"

namespace {

constexpr wchar_t kWindowClass[] = L"TavroControllerTestWindow";
Controller* g_timerTarget = nullptr;

LRESULT CALLBACK TestWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && g_timerTarget) {
        g_timerTarget->OnTimer(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

ControllerFixture::ControllerFixture() : frame(320 * 240 * 3, 0x30) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = TestWindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);
    window = CreateWindowExW(0, kWindowClass, L"controller test", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                             300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    controller.AttachWindow(window);
    SetMessageOwner(window);
    // As in the program: entering a Mode shows the window maximised when it is not.
    ShowWindow(window, SW_SHOWMAXIMIZED);
    g_timerTarget = &controller;
    BITMAPINFOHEADER format = {};
    format.biSize = sizeof format;
    format.biWidth = 320;
    format.biHeight = 240;
    format.biPlanes = 1;
    format.biBitCount = 24;
    controller.PrepareFrame(format);
}

ControllerFixture::~ControllerFixture() {
    controller.Shutdown();
    g_timerTarget = nullptr;
    SetMessageOwner(nullptr);
    DestroyWindow(window);
}

ModeRecord ModeRecordAt(Mode mode, int step, bool alignmentUsable, bool gainFound) {
    ModeRecord modes;
    modes.ChangeMode(mode);
    modes.autoAlignmentStep = mode == Mode::AutoAlignment ? step : 0;
    modes.manualAlignmentStep = mode == Mode::ManualAlignment ? step : 0;
    modes.trackingStep = mode == Mode::Track ? step : 0;
    modes.alignmentUsable = alignmentUsable;
    modes.gainFound = gainFound;
    return modes;
}

void ControllerFixture::SetMode(Mode mode, int step, bool alignmentUsable, bool gainFound) {
    ControllerTestAccess::Modes(controller) = ModeRecordAt(mode, step, alignmentUsable, gainFound);
}

void ControllerFixture::DeliverFrames(int count) {
    std::thread frameThread([this, count] {
        for (int i = 0; i < count; ++i) controller.OnFrame(frame.data());
    });
    frameThread.join();
}

Notifications ControllerFixture::TakeNotifications() {
    Notifications taken;
    MSG message;
    while (PeekMessageW(&message, window, kAppNotifyMessage, kAppNotifyMessage, PM_REMOVE)) {
        taken.emplace_back(message.wParam, message.lParam);
    }
    return taken;
}

void ControllerFixture::PumpMessages(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(5);
    }
}

void ControllerFixture::AimCamera() {
    DetectorProfile lens;
    lens.fx = 300.0f;
    lens.fy = 300.0f;
    lens.cx = 160.0f;
    lens.cy = 120.0f;
    ControllerTestAccess::Camera(controller).SetIntrinsics(lens);
    ASSERT_TRUE(ControllerTestAccess::Camera(controller)
                    .SetPose(CameraPose{-512.0f, -384.0f, 1150.0f, 0.0f, 0.0f, 0.0f}));
    DisplayGeometry& geometry = ControllerTestAccess::Geometry(controller);
    geometry.SetDesktop(1024, 768);
    geometry.SetAspect(4.0f, 3.0f);
}
