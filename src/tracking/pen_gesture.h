#pragma once
// The pen as the desktop sees it: a spot coming into view presses the left button, moving
// drags, holding still for about two seconds right-clicks, and losing the spot (or leaving the
// screen) releases. The pointer is any output with the operations of PointerInput: LeftHeld,
// Press, MoveTo, Release, RightClick and ForgetPosition.
#include <opencv2/core/types.hpp>

#include <cmath>

class PenGesture {
public:
    // Where the last spot went.
    enum OnScreen : int { kOnScreen = 0, kOffScreen = -1, kLost = -2, kLightChanged = -99 };

    // Still frames after the anchor before the right click, and how far the pen may wander.
    static constexpr int kHoldFrames = 60;
    static constexpr float kHoldTolerance = 3.0f;
    // After a right click the count starts here, so holding on gives no second click.
    static constexpr int kAfterRightClick = -30;

    void Start(int screenWidth, int screenHeight) {
        TakeScreenSize(screenWidth, screenHeight);
        holdCount_ = 0;
        lastAccepted_ = {0.0f, 0.0f};
    }

    void TakeScreenSize(int screenWidth, int screenHeight) {
        screenWidth_ = screenWidth;
        screenHeight_ = screenHeight;
    }

    template <typename Pointer>
    void SpotFound(cv::Point2f point, Pointer& pointer) {
        const bool onScreen = point.x >= 0.0f && point.x < screenWidth_ && point.y >= 0.0f &&
                              point.y < screenHeight_;
        onScreen_ = onScreen ? kOnScreen : kOffScreen;
        InjectPointer(point, pointer);
        if (onScreen) lastAccepted_ = point;
    }

    template <typename Pointer>
    void SpotLost(Pointer& pointer) {
        if (pointer.LeftHeld()) pointer.Release(lastAccepted_.x, lastAccepted_.y);
        holdCount_ = 0;
        onScreen_ = kLost;
        // The next press is taken where it lands, without holding against jitter.
        pointer.ForgetPosition();
    }

    void LightChanged() { onScreen_ = kLightChanged; }


private:
    template <typename Pointer>
    void InjectPointer(cv::Point2f point, Pointer& pointer) {
        if (onScreen_ != kOnScreen) {
            if (pointer.LeftHeld()) pointer.Release(lastAccepted_.x, lastAccepted_.y);
            return;
        }
        if (pointer.LeftHeld()) {
            CheckHold(point, pointer);
            pointer.MoveTo(point.x, point.y);
        } else {
            pointer.Press(point.x, point.y);
        }
    }

    template <typename Pointer>
    void CheckHold(cv::Point2f point, Pointer& pointer) {
        if (holdCount_ < 0) return;
        if (holdCount_ == 0) {
            anchor_ = point;
            holdCount_ = 1;
            return;
        }
        if (holdCount_ > kHoldFrames) {
            holdCount_ = kAfterRightClick;
            pointer.RightClick(point.x, point.y);
            return;
        }
        // Coordinates on the screen's edge count as moved: the test is strictly positive.
        const bool moved = point.x <= 0.0f || point.y <= 0.0f || anchor_.x <= 0.0f ||
                           anchor_.y <= 0.0f || std::abs(anchor_.x - point.x) > kHoldTolerance ||
                           std::abs(anchor_.y - point.y) > kHoldTolerance;
        holdCount_ = moved ? -1 : holdCount_ + 1;
    }

    int screenWidth_ = 0;
    int screenHeight_ = 0;
    int onScreen_ = kLost;
    int holdCount_ = 0;
    cv::Point2f anchor_{0.0f, 0.0f};
    cv::Point2f lastAccepted_{0.0f, 0.0f};
};
