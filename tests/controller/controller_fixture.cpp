#include "controller_fixture.h"

#include "ui/messages.h"

#include <thread>

ControllerFixture::ControllerFixture() : frame(320 * 240 * 3, 0x30) {
    // The tests settle on frames only: the main window's timer is never needed.
    window = CreateWindowExW(0, L"STATIC", L"controller test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    controller.AttachWindow(window);
    SetMessageOwner(window);
    // As in the program: entering a Mode shows the window maximised when it is not.
    ShowWindow(window, SW_SHOWMAXIMIZED);
    controller.PrepareFrame(FrameFormat(320, 240));
    // No dialogs at start; gain finding skips no frame for its property waits.
    records.options.dontShowIntroduction = 1;
    records.options.dontAskGainLevel = 1;
    records.options.gainLevel = 3;
    records.options.trackGainLevel = 3;
    records.coreParameters.findThreshold[0].range = 0;
    model.geometry.SetAspect(4.0f, 3.0f);
}

ControllerFixture::~ControllerFixture() {
    controller.Shutdown();
    SetMessageOwner(nullptr);
    DestroyWindow(window);
}

void ControllerFixture::SetMode(Mode mode, bool alignmentUsable, bool gainFound) {
    if (alignmentUsable) {
        // A camera straight in front of the 1024 x 768 desktop, which sensor (160, 120) sees in
        // its middle: 35 corners 128 pixels apart, graded Good.
        const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
        model.mapping.SetProfiles(&lens, 1);
        model.mapping.SelectProfile(0);
        model.camera.SetPose(CameraPose{-512.0f, -384.0f, 1150.0f, 0.0f, 0.0f, 0.0f});
        AlignmentRecord& stored = records.alignmentResult;
        stored.profileIndex = 0;
        stored.alignedDesktopWidth = 1024;
        stored.alignedDesktopHeight = 768;
        stored.accuracy.grade = AccuracyGrade::Good;
        PosePoints& corners = stored.posePoints;
        corners.count = 35;
        for (int i = 0; i < 35; ++i) {
            const float x = 128.0f * static_cast<float>(i % 7 + 1);
            const float y = 128.0f * static_cast<float>(i / 7 + 1);
            corners.objectPoints[i] = {x, y, 0.0f};
            corners.imagePoints[i] = model.camera.ProjectBoardPoint(x, y);
        }
        records.options.skipAlignmentWhenAligned = 1;
    }
    controller.Start();
    if (gainFound) {
        ASSERT_EQ(controller.CurrentMode(), Mode::FindGain) << "the stored alignment is re-applied";
        ASSERT_EQ(FindGain(), 0);
    }
    if (controller.CurrentMode() != mode) controller.EnterMode(mode);
    ASSERT_EQ(controller.CurrentMode(), mode);
    TakeNotifications();
}

int ControllerFixture::FindGain() {
    EXPECT_EQ(controller.CurrentMode(), Mode::FindGain);
    TakeNotifications();
    // The wait cursor stays up until the verdict.
    EXPECT_TRUE(controller.WaitCursor());
    ExpectVerdictOnTheLastFrame();
    EXPECT_FALSE(controller.WaitCursor());
    int shown = 0;
    {
        testsupport::BoxDismisser boxes;
        controller.OnStepEnded();
        shown = boxes.BoxesClosed();
    }
    EXPECT_EQ(controller.CurrentMode(), Mode::Track);
    return shown;
}

BITMAPINFOHEADER FrameFormat(LONG width, LONG height) {
    return {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
}

void ControllerFixture::ExpectVerdictOnTheLastFrame() {
    DeliverFrames(kGainFindingFrames - 1);
    EXPECT_TRUE(TakeNotifications().empty());
    DeliverFrames(1);
    EXPECT_EQ(TakeNotifications(), (Notifications{{NotifyStepEnded, static_cast<LPARAM>(Mode::FindGain)}}));
}

bool LeftButtonIs(bool down) {
    const ULONGLONG end = GetTickCount64() + 1000;
    while (((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) != down) {
        if (GetTickCount64() >= end) return false;
        Sleep(5);
    }
    return true;
}

void ControllerFixture::Light(int x0, int y0, int size, BYTE value) {
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x) frame[(static_cast<size_t>(y) * 320 + x) * 3 + 2] = value;
}

bool ControllerFixture::PenPresses() {
    for (const BYTE level : {BYTE{0x30}, BYTE{255}}) {
        Light(157, 117, 7, level);
        DeliverFrames(1);
    }
    return LeftButtonIs(true);
}

void ControllerFixture::PenDown() {
    EXPECT_TRUE(PenPresses());
    TakeNotifications();
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
