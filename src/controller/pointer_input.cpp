#include "controller/pointer_input.h"

#include <cmath>

namespace {

constexpr DWORD kMove = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
constexpr DWORD kPress = kMove | MOUSEEVENTF_LEFTDOWN;
constexpr DWORD kRelease = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
constexpr DWORD kRightDown = kMove | MOUSEEVENTF_RIGHTDOWN;
constexpr DWORD kRightUp = kMove | MOUSEEVENTF_RIGHTUP;

bool OnScreen(double x, double y, int width, int height) {
    return x >= 0.0 && x < static_cast<double>(width) && y >= 0.0 &&
           y < static_cast<double>(height);
}

// Below one pixel of change the previous coordinate is kept.
float Held(float last, float now) {
    return std::fabs(static_cast<double>(last) - now) < 1.0 ? last : now;
}

// The system takes an absolute coordinate to pixel (coordinate * size) / 65536, cutting off;
// aiming at the middle of the nearest pixel lands on it exactly, whichever way it rounds.
LONG AbsoluteCoordinate(float position, int size) {
    const double pixel = std::nearbyint(static_cast<double>(position));
    return static_cast<LONG>(std::floor((pixel + 0.5) * 65536.0 / size));
}

}  // namespace

void PointerInput::Reset() {
    TakeScreenSize();
    input_ = {};
    input_.type = INPUT_MOUSE;
    input_.mi.dwFlags = kMove;
    input_.mi.dwExtraInfo = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    lastX_ = -1.0f;
    lastY_ = -1.0f;
    leftHeld_ = false;
}

void PointerInput::TakeScreenSize() {
    screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
    screenRect_ = {-5, -5, screenWidth_ + 5, screenHeight_ + 5};
}

POINT PointerInput::Scale(float x, float y) {
    if (OnScreen(lastX_, lastY_, screenWidth_, screenHeight_) &&
        OnScreen(x, y, screenWidth_, screenHeight_)) {
        x = Held(lastX_, x);
        y = Held(lastY_, y);
    }
    lastX_ = x;
    lastY_ = y;
    if (screenWidth_ <= 0 || screenHeight_ <= 0) return {0, 0};
    return {AbsoluteCoordinate(x, screenWidth_), AbsoluteCoordinate(y, screenHeight_)};
}

void PointerInput::Aim(float x, float y) {
    const POINT p = Scale(x, y);
    input_.mi.dx = p.x;
    input_.mi.dy = p.y;
}

UINT PointerInput::Send() {
    return SendInput(1, &input_, sizeof(INPUT));
}

void PointerInput::MoveTo(float x, float y) {
    input_.mi.dwFlags = kMove;
    input_.mi.dwExtraInfo = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    Aim(x, y);
    Send();
}

void PointerInput::Press(float x, float y) {
    // A press is sent again when the system lost the button behind our back.
    const bool reallyDown = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    input_.mi.dwFlags = (leftHeld_ && reallyDown) ? kMove : kPress;
    leftHeld_ = true;
    Aim(x, y);
    input_.mi.dwExtraInfo = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    Send();
}

UINT PointerInput::Release(float x, float y) {
    if (!leftHeld_) return 0;
    input_.mi.dwFlags = kRelease;
    Aim(x, y);
    const UINT sent = Send();
    leftHeld_ = false;
    return sent;
}

void PointerInput::RightClick(float x, float y) {
    input_.mi.dwFlags = kRightDown;
    input_.mi.dwExtraInfo = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    Aim(x, y);
    Send();
    input_.mi.dwFlags = kRightUp;
    Send();
}
