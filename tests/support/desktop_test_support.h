#pragma once
// Helpers for tests that use the shared desktop of the Wine session: the mouse cursor and
// message boxes.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

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
    HANDLE mutex_;
};

// Held by tests that run the program itself: only one copy may see its mutex at a time.
class ProgramLock : public NamedLock {
public:
    ProgramLock() : NamedLock(L"TavroTestProgramLock") {}
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

// Watches for dialog boxes of this process on a thread of its own, remembers the text of each
// and closes it with OK (a question with No).
class BoxDismisser {
public:
    BoxDismisser();
    // `beforeClosing` sees each box first, on the watching thread (to fill in a dialog, or to
    // look at what the program does while the box waits).
    explicit BoxDismisser(std::function<void(HWND box)> beforeClosing);
    ~BoxDismisser();
    BoxDismisser(const BoxDismisser&) = delete;
    BoxDismisser& operator=(const BoxDismisser&) = delete;

    int BoxesClosed() const { return closed_; }

private:
    void Watch();

    std::function<void(HWND)> beforeClosing_;
    std::atomic<bool> stop_{false};
    std::atomic<int> closed_{0};
    std::thread thread_;
};

// All text of a window and its children, joined with new lines.
std::wstring WindowTexts(HWND window);

}  // namespace testsupport
