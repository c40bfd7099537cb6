#pragma once
// Turns screen positions (pixels, as floats) into synthetic mouse events: absolute moves, a
// left-button press and drag, a release and a right click. Holds the pointer still against
// sub-pixel jitter, per axis. One SendInput call per event.
#include <windows.h>

class PointerInput {
public:
    // Takes the screen size, forgets the last position and the held button.
    void Reset();
    // Retakes only the screen size and rectangle (the desktop size changed).
    void TakeScreenSize();

    // Absolute coordinates (0-65535) of the pixel nearest to a position; remembers the position
    // actually taken.
    POINT Scale(float x, float y);
    void MoveTo(float x, float y);
    // Presses the left button, or only drags when it is already held (and really down).
    void Press(float x, float y);
    // Releases a held button; returns the number of events sent (0 when none was held).
    UINT Release(float x, float y);
    UINT ReleaseAtLastPosition() { return Release(lastX_, lastY_); }
    void RightClick(float x, float y);
    // The next position is taken as it is, without holding it against jitter.
    void ForgetPosition() {
        lastX_ = -1.0f;
        lastY_ = -1.0f;
    }

    bool LeftHeld() const { return leftHeld_; }
    // The screen grown by 5 pixels on every side (left, top, right, bottom).
    const RECT& ScreenRect() const { return screenRect_; }
    float LastX() const { return lastX_; }
    float LastY() const { return lastY_; }

private:
    void Aim(float x, float y);
    UINT Send();

    INPUT input_ = {};
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    RECT screenRect_ = {};
    bool leftHeld_ = false;
    float lastX_ = -1.0f;
    float lastY_ = -1.0f;
};
