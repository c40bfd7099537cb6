#pragma once
// A Controller with a main window of its own, on the test's thread (the UI thread), and a way
// to put it into any Mode.
#include "controller/controller.h"
#include "base/notifications.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <thread>
#include <utility>
#include <vector>

struct ControllerTestAccess {
    static ModeRecord& Modes(Controller& c) { return c.modes_; }
    static void SetPending(Controller& c, int id) { c.handOff_.pendingMessage = id; }
    static void EndStep(Controller& c, Mode mode, StepResult result) { c.EndStep(mode, result); }
    // Runs on the frame thread at the end of every step's work.
    static void SetStepProbe(Controller& c, std::function<void()> probe) {
        c.handOff_.probe = std::move(probe);
    }
    static SensorProperties& SensorControls(Controller& c) { return c.sensor_.device.Properties(); }
    static CameraModel& Camera(Controller& c) { return c.model_.camera; }
    static ScreenMapping& Mapping(Controller& c) { return c.model_.mapping; }
    static DisplayGeometry& Geometry(Controller& c) { return c.model_.geometry; }
    static PatternScreen& Pattern(Controller& c) { return c.model_.pattern; }
    static FrameImages& Images(Controller& c) { return c.frameImages_; }
    static ScreenCorrection& Correction(Controller& c) { return c.model_.screenCorrection; }
    static DisplayAspectRecord& DisplayAspect(Controller& c) { return c.records_.displayAspect; }
    static void SetHotSpots(Controller& c, int count, PixelRect area) {
        c.records_.hotSpot.count = count;
        c.records_.hotSpot.box = area;
    }
    static void SetShownFrameRate(Controller& c, int verdict) { c.sensor_.shownFrameRate = verdict; }
    static void SnapshotMouseValues(Controller& c) { c.pointer_.mouseSaver.Snapshot(); }
    static void ShowGainOverlay(Controller& c) { c.ShowGainOverlay(); }
    // What Initialize and Start give the painting code: texts, screen size, status rectangle.
    static void PrepareScreen(Controller& c) {
        c.LoadTexts();
        c.status_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
        c.status_.screenHeight = GetSystemMetrics(SM_CYSCREEN);
        c.MeasureStatusRect();
    }
};

// A ModeRecord in a Mode with the given step and kept flags.
ModeRecord ModeRecordAt(Mode mode, int step = 1, bool alignmentUsable = false, bool gainFound = false);

// AppNotify messages as (code, value), in the order they were posted.
using Notifications = std::vector<std::pair<WPARAM, LPARAM>>;

class ControllerFixture : public ::testing::Test {
protected:
    ControllerFixture();
    ~ControllerFixture() override;

    // Puts the Controller into a Mode with the given step and kept flags.
    void SetMode(Mode mode, int step = 1, bool alignmentUsable = false, bool gainFound = false);
    // Delivers frames from a second thread, one after the other, and waits for them.
    void DeliverFrames(int count);
    // Removes the AppNotify messages waiting for the main window, in order (code, value).
    Notifications TakeNotifications();
    // A camera straight in front of a 1024 x 768 desktop: sensor (160, 120) sees its middle.
    void AimCamera();
    // Runs the main window's messages for a while.
    void PumpMessages(DWORD milliseconds);

    // Conclusions store the alignment result; keep it out of the shared folder.
    testsupport::ScratchDirectory scratch{L"controller"};
    Controller controller;
    HWND window = nullptr;
    std::vector<BYTE> frame;
};
