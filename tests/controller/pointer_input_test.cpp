// PointerInput against the real SendInput: every case reads the cursor (and the button state)
// back from the system. Positions are taken as fractions of the desktop, whatever its size.
#include "controller/pointer_input.h"
#include "desktop_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool LeftDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }
int Width() { return GetSystemMetrics(SM_CXSCREEN); }
int Height() { return GetSystemMetrics(SM_CYSCREEN); }
// The whole pixel at that fraction of the desktop's width or height.
float X(float fraction) { return std::floor(fraction * static_cast<float>(Width())); }
float Y(float fraction) { return std::floor(fraction * static_cast<float>(Height())); }

class PointerInputTest : public ::testing::Test {
protected:
    void SetUp() override { pointer.Reset(); }

    void ExpectCursorAt(float x, float y) {
        POINT p = {};
        GetCursorPos(&p);
        EXPECT_NEAR(p.x, x, 1);
        EXPECT_NEAR(p.y, y, 1);
    }

    testsupport::CursorLock lock;
    PointerInput pointer;
};

TEST_F(PointerInputTest, SubPixelJitterIsHeldPerAxisOnScreenOnly) {
    const float x = X(0.3f), y = Y(0.25f);
    pointer.MoveTo(x, y);
    ExpectCursorAt(x, y);
    pointer.MoveTo(x + 0.4f, y + 3.0f);
    EXPECT_FLOAT_EQ(pointer.LastX(), x);
    EXPECT_FLOAT_EQ(pointer.LastY(), y + 3.0f);
    ExpectCursorAt(x, y + 3.0f);
    // The held value is what later moves compare against: 0.9 + 0.9 adds up to a move.
    pointer.MoveTo(x + 0.9f, y + 3.0f);
    pointer.MoveTo(x + 1.8f, y + 3.0f);
    EXPECT_FLOAT_EQ(pointer.LastX(), x + 1.8f);

    // Off-screen positions bypass the hold, and so does coming back on screen from there.
    const float outside = static_cast<float>(Width());
    pointer.Scale(outside, y + 0.2f);
    EXPECT_FLOAT_EQ(pointer.LastX(), outside);
    EXPECT_FLOAT_EQ(pointer.LastY(), y + 0.2f);
    pointer.Scale(outside - 0.5f, y + 0.3f);
    EXPECT_FLOAT_EQ(pointer.LastX(), outside - 0.5f);
    EXPECT_FLOAT_EQ(pointer.LastY(), y + 0.3f);
}

TEST_F(PointerInputTest, ThePointerLandsOnThePixelNearestToThePosition) {
    // The system cuts absolute coordinates off to pixels: a position must not be taken to the
    // pixel before it (a bias of half a pixel on average), from the first pixel to the last.
    const float right = static_cast<float>(Width() - 1), bottom = static_cast<float>(Height() - 1);
    const struct { float x, y; LONG pixelX, pixelY; } cases[] = {
        {0.0f, 0.0f, 0, 0},       {0.4f, 0.6f, 0, 1},
        {281.6f, 38.4f, 282, 38}, {right - 0.4f, bottom - 0.6f, Width() - 1, Height() - 2},
        {right, bottom, Width() - 1, Height() - 1},
    };
    for (const auto& c : cases) {
        pointer.ForgetPosition();
        pointer.MoveTo(c.x, c.y);
        POINT p = {};
        GetCursorPos(&p);
        EXPECT_EQ(p.x, c.pixelX) << c.x;
        EXPECT_EQ(p.y, c.pixelY) << c.y;
    }
}

// (A press while held drags without a second press: the demo's drag.)
TEST_F(PointerInputTest, PressAndReleaseMoveTheRealButtonAndAPressLostBehindOurBackIsSentAgain) {
    pointer.MoveTo(X(0.2f), Y(0.13f));
    EXPECT_EQ(pointer.Release(X(0.6f), Y(0.8f)), 0u);
    ExpectCursorAt(X(0.2f), Y(0.13f));
    EXPECT_FLOAT_EQ(pointer.LastX(), X(0.2f));

    const float x = X(0.4f), y = Y(0.4f);
    pointer.Press(x, y);
    EXPECT_TRUE(pointer.LeftHeld());
    ASSERT_TRUE(LeftDown());
    ExpectCursorAt(x, y);
    EXPECT_EQ(pointer.Release(x, y), 1u);
    EXPECT_FALSE(pointer.LeftHeld());
    EXPECT_FALSE(LeftDown());
    EXPECT_EQ(pointer.Release(x, y), 0u);

    // Someone else lets go of the button while we hold it.
    pointer.Press(x, y);
    INPUT up = {};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &up, sizeof up);
    ASSERT_FALSE(LeftDown());
    pointer.Press(x + 10.0f, y);
    EXPECT_TRUE(LeftDown());
    ExpectCursorAt(x + 10.0f, y);
    EXPECT_EQ(pointer.ReleaseAtLastPosition(), 1u);
    EXPECT_FALSE(LeftDown());
    ExpectCursorAt(x + 10.0f, y);
}

}  // namespace
