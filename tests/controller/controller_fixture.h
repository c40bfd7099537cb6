#pragma once
// A Controller with a main window of its own, on the test's thread (the UI thread). The test
// owns its records and alignment, and leads it into a Mode through its own interface: started as
// the program starts it (without a sensor), a stored alignment re-applied, the gain found.
#include "controller/controller.h"
#include "base/notifications.h"
#include "desktop_test_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

// The system's left button is down (or up) within a second: under Wine, injected input reaches
// the button state a little after SendInput returns.
bool LeftButtonIs(bool down);
// A 24-bit sensor frame layout.
BITMAPINFOHEADER FrameFormat(LONG width, LONG height);

#include <utility>
#include <vector>

// Settle waits off, sensor steps (two), clearing, twenty recorded frames: the next one evaluates.
inline constexpr int kGainFindingFrames = 24;

// AppNotify messages as (code, value), in the order they were posted.
using Notifications = std::vector<std::pair<WPARAM, LPARAM>>;

class ControllerFixture : public ::testing::Test {
protected:
    ControllerFixture();
    ~ControllerFixture() override;

    // Leads the Controller into `mode` with the flags asked for: an alignment in force is a
    // stored one re-applied at start, a found gain one found on the plain screen.
    void SetMode(Mode mode, bool alignmentUsable = false, bool gainFound = false);
    // Gain finding over `frame` until its verdict, concluded on the UI thread (its boxes closed):
    // Track. Returns the boxes shown.
    int FindGain();
    // Delivers gain finding's frames: no verdict before the last of them, then its end.
    void ExpectVerdictOnTheLastFrame();
    // Sets the red channel of the frame's pixels x0..x0+size-1, y0..y0+size-1.
    void Light(int x0, int y0, int size, BYTE value);
    // The pen lifted, then put down on the middle of the sensor picture: true when that pressed
    // the button, as it does in Track while the frames run.
    bool PenPresses();
    // PenPresses in Track, its notifications taken.
    void PenDown();
    // Delivers frames from a second thread, one after the other, and waits for them.
    void DeliverFrames(int count);
    // Removes the AppNotify messages waiting for the main window, in order (code, value).
    Notifications TakeNotifications();

    // Every Mode change parks the pointer.
    testsupport::CursorLock cursorLock;
    // Conclusions store the alignment result; keep it out of the shared folder.
    testsupport::ScratchDirectory scratch{L"controller"};
    StoredRecords records;
    AlignmentModel model;
    Controller controller{records, model};
    HWND window = nullptr;
    std::vector<BYTE> frame;
};
