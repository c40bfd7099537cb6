#pragma once
// What the desktop shows and receives: top-level windows and their texts, dialog buttons,
// keys, screenshots, and the pointer's position and button events.
#include <windows.h>

#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <opencv2/core/types.hpp>

#include "base/unique_handle.h"
#include "desktop_test_support.h"

using testsupport::ClassOf;
using testsupport::VisibleWindowsOfClass;
using testsupport::WindowsOfProcess;
using testsupport::WindowTexts;
// Waits for a visible top-level window of the process whose texts contain `text`.
HWND WaitForWindowWithText(DWORD processId, const std::wstring& text, DWORD timeoutMs);
// Clicks the child button whose caption (without '&') is `caption`.
bool PressButton(HWND dialog, const std::wstring& caption);
// Sends a key press and release to a window.
void PressKey(HWND window, WORD virtualKey);
// Presses the keys in order through Windows' input and releases them in reverse, once the window
// is in front and back in its message loop: Wine takes the key state over from the X server when
// the window gets the focus, which would drop a modifier injected before.
void PressChord(HWND window, std::initializer_list<WORD> keys);
// Saves the whole screen as `name`.bmp.
bool SaveScreenshot(const std::string& name);
// Centre of the screen's pixels of exactly this colour in its top `rows` (all when negative);
// false when there are fewer than `least`.
bool FindColourOnScreen(COLORREF colour, cv::Point2d* centre, int least = 200, int rows = -1);

struct PointerEvent {
    WPARAM message;  // WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE
    POINT point;
    LONGLONG counter;  // QueryPerformanceCounter when the hook saw it
};

// Records what the desktop's pointer receives (a low-level mouse hook on its own thread), from
// whichever program sends it. One recorder at a time. Under Wine, GetCursorPos in this process
// does not follow input that other programs inject, so the pointer's position is taken from
// the recorded events.
class PointerRecorder {
public:
    PointerRecorder();
    ~PointerRecorder();
    PointerRecorder(const PointerRecorder&) = delete;
    PointerRecorder& operator=(const PointerRecorder&) = delete;

    std::vector<PointerEvent> Events() const;
    // The events of one kind (WM_LBUTTONDOWN, ...).
    std::vector<PointerEvent> Of(WPARAM kind) const;
    void Clear();
    // Where the last recorded event put the pointer ((-1, -1) before any).
    POINT Position() const;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM message, LPARAM data);
    void Run();

    mutable std::mutex mutex_;
    std::vector<PointerEvent> events_;
    DWORD threadId_ = 0;
    UniqueEvent ready_;
    std::thread thread_;
};
