#pragma once
// Helpers for tests that use the shared desktop of the Wine session: the mouse cursor and
// message boxes.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/unique_handle.h"

namespace testsupport {

// A named mutex held for the holder's life: serialises tests that share something of the
// Wine session across test processes.
class NamedLock {
public:
    explicit NamedLock(const wchar_t* name);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

private:
    UniqueHandle<HANDLE, KernelHandleCloser> mutex_;
};

// Held by every test that moves the cursor or presses mouse buttons, so that tests running at
// the same time do not move it under each other. Releases a left button left pressed.
class CursorLock {
public:
    CursorLock();
    ~CursorLock();
    CursorLock(const CursorLock&) = delete;
    CursorLock& operator=(const CursorLock&) = delete;

private:
    NamedLock lock_;
};

// Watches, on a thread of its own, for the visible dialog boxes of this process and hands each
// to `act` on that thread, the way a user meets it.
class BoxWatcher {
public:
    enum class Boxes { FirstOnly, Every };
    BoxWatcher(Boxes boxes, std::function<void(HWND box)> act);
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    // Waits up to 10 s for the first box to have been handled; false when none came.
    bool Ran();
    int BoxesHandled() const { return handled_; }

private:
    void Watch();

    Boxes boxes_;
    std::function<void(HWND)> act_;
    std::atomic<bool> stop_{false};
    std::atomic<int> handled_{0};
    std::thread thread_;
};

// Closes every box with OK (a question with No); `beforeClosing` sees each box first (to fill in
// a dialog, or to look at what the program does while the box waits).
class BoxDismisser : public BoxWatcher {
public:
    explicit BoxDismisser(std::function<void(HWND box)> beforeClosing = {});
    int BoxesClosed() const { return BoxesHandled(); }
};

// Hands the first box to `steps`, which answer it.
class DialogDriver : public BoxWatcher {
public:
    explicit DialogDriver(std::function<void(HWND dialog)> steps)
        : BoxWatcher(Boxes::FirstOnly, std::move(steps)) {}
};

// Presses a button (or toggles a check box) the way a mouse click does.
void Click(HWND dialog, int controlId);
// Visible top-level windows of a process, topmost first; with `hiddenToo` also the hidden ones
// (those that hear session ends and display changes).
std::vector<HWND> WindowsOfProcess(DWORD processId, bool hiddenToo = false);
// A window's class name ("#32770" for a box, "#32768" for a menu).
std::wstring ClassOf(HWND window);
// The visible top-level windows of a process with this class.
std::vector<HWND> VisibleWindowsOfClass(DWORD processId, const wchar_t* className);
std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int controlId);
bool IsTopMost(HWND window);

// All text of a window and its children, joined with new lines.
std::wstring WindowTexts(HWND window);

}  // namespace testsupport
