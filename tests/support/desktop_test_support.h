#pragma once
// Helpers for tests that use the shared desktop of the Wine session: the mouse cursor and
// message boxes.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace testsupport {

// Held by every test that moves the cursor or presses mouse buttons, so that tests running at
// the same time do not move it under each other. Releases a left button left pressed.
class CursorLock {
public:
    CursorLock();
    ~CursorLock();
    CursorLock(const CursorLock&) = delete;
    CursorLock& operator=(const CursorLock&) = delete;

private:
    HANDLE mutex_;
};

// Watches for dialog boxes of this process on a thread of its own, remembers the text of each
// and closes it with OK.
class BoxDismisser {
public:
    BoxDismisser();
    ~BoxDismisser();
    BoxDismisser(const BoxDismisser&) = delete;
    BoxDismisser& operator=(const BoxDismisser&) = delete;

    int BoxesClosed() const { return closed_; }

private:
    void Watch();

    std::atomic<bool> stop_{false};
    std::atomic<int> closed_{0};
    std::thread thread_;
};

// All text of a window and its children, joined with new lines.
std::wstring WindowTexts(HWND window);

}  // namespace testsupport
