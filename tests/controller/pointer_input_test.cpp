// PointerInput against the real SendInput: every case reads the cursor (and the button state)
// back from the system.
#include "controller/pointer_input.h"
#include "desktop_test_support.h"

#include <gtest/gtest.h>

namespace {

bool LeftDown() {
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

class PointerInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetSystemMetrics(SM_CXSCREEN) != 1024 || GetSystemMetrics(SM_CYSCREEN) != 768) {
            GTEST_SKIP() << "needs the 1024 x 768 test desktop";
        }
        pointer.Reset();
    }

    void ExpectCursorAt(int x, int y) {
        POINT p = {};
        GetCursorPos(&p);
        EXPECT_NEAR(p.x, x, 1);
        EXPECT_NEAR(p.y, y, 1);
    }

    testsupport::CursorLock lock;
    PointerInput pointer;
};

TEST_F(PointerInputTest, ResetTakesTheScreenAndTheFirstPositionIsTakenUnchanged) {
    EXPECT_FLOAT_EQ(pointer.LastX(), -1.0f);
    EXPECT_FLOAT_EQ(pointer.LastY(), -1.0f);
    EXPECT_FALSE(pointer.LeftHeld());
    const RECT& r = pointer.ScreenRect();
    EXPECT_EQ(r.left, -5);
    EXPECT_EQ(r.top, -5);
    EXPECT_EQ(r.right, 1029);
    EXPECT_EQ(r.bottom, 773);
    pointer.Scale(10.25f, 10.75f);
    EXPECT_FLOAT_EQ(pointer.LastX(), 10.25f);
    EXPECT_FLOAT_EQ(pointer.LastY(), 10.75f);
}

TEST_F(PointerInputTest, SubPixelJitterIsHeldPerAxis) {
    pointer.MoveTo(300.0f, 200.0f);
    ExpectCursorAt(300, 200);
    pointer.MoveTo(300.4f, 203.0f);
    EXPECT_FLOAT_EQ(pointer.LastX(), 300.0f);
    EXPECT_FLOAT_EQ(pointer.LastY(), 203.0f);
    ExpectCursorAt(300, 203);
    // The held value is what later moves compare against: 0.9 + 0.9 adds up to a move.
    pointer.MoveTo(300.9f, 203.0f);
    pointer.MoveTo(301.8f, 203.0f);
    EXPECT_FLOAT_EQ(pointer.LastX(), 301.8f);
}

TEST_F(PointerInputTest, RightEdgeScalesToRoundedAbsoluteCoordinate) {
    EXPECT_EQ(pointer.Scale(1023.0f, 0.0f).x, 65471);
    EXPECT_EQ(pointer.Scale(0.0f, 767.0f).y, 65450);
    pointer.MoveTo(1023.0f, 767.0f);
    ExpectCursorAt(1023, 767);
}

TEST_F(PointerInputTest, OffScreenPositionsBypassTheHold) {
    pointer.MoveTo(500.0f, 500.0f);
    pointer.Scale(1024.0f, 500.2f);
    EXPECT_FLOAT_EQ(pointer.LastX(), 1024.0f);
    EXPECT_FLOAT_EQ(pointer.LastY(), 500.2f);
    // Coming back on screen from off screen is taken as it is too.
    pointer.Scale(1023.5f, 500.3f);
    EXPECT_FLOAT_EQ(pointer.LastX(), 1023.5f);
    EXPECT_FLOAT_EQ(pointer.LastY(), 500.3f);
}

TEST_F(PointerInputTest, ReleaseWithoutPressSendsNothingAndPressDragsAndReleasesTheRealButton) {
    pointer.MoveTo(200.0f, 100.0f);
    EXPECT_EQ(pointer.Release(600.0f, 600.0f), 0u);
    ExpectCursorAt(200, 100);
    EXPECT_FLOAT_EQ(pointer.LastX(), 200.0f);

    pointer.Press(100.0f, 120.0f);
    EXPECT_TRUE(pointer.LeftHeld());
    EXPECT_TRUE(LeftDown());
    ExpectCursorAt(100, 120);
    pointer.Press(150.0f, 160.0f);
    EXPECT_TRUE(LeftDown());
    ExpectCursorAt(150, 160);
    EXPECT_EQ(pointer.Release(150.0f, 160.0f), 1u);
    EXPECT_FALSE(pointer.LeftHeld());
    EXPECT_FALSE(LeftDown());
    EXPECT_EQ(pointer.Release(150.0f, 160.0f), 0u);
}

TEST_F(PointerInputTest, PressIsSentAgainWhenTheButtonWasReleasedBehindOurBack) {
    pointer.Press(400.0f, 300.0f);
    ASSERT_TRUE(LeftDown());
    // Someone else lets go of the button.
    INPUT up = {};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &up, sizeof up);
    ASSERT_FALSE(LeftDown());
    pointer.Press(410.0f, 300.0f);
    EXPECT_TRUE(LeftDown());
    ExpectCursorAt(410, 300);
    EXPECT_EQ(pointer.ReleaseAtLastPosition(), 1u);
    EXPECT_FALSE(LeftDown());
    ExpectCursorAt(410, 300);
}

}  // namespace
