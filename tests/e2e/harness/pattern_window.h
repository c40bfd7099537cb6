#pragma once
// A topmost window of this process on its own thread: a known picture for the virtual sensor to
// look at, or a white target for the pen, which draws the strokes dragged over it. (What the
// pointer does is judged from the desktop's mouse hook, PointerRecorder.)
#include <windows.h>

#include <thread>

#include "base/unique_handle.h"

enum class Pattern { Chessboard, Target };

class PatternWindow {
public:
    // Shows the pattern over `area` (the whole screen when empty) and returns once it has been
    // painted.
    explicit PatternWindow(Pattern pattern, const RECT& area = {});
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    // The chessboard: 8 x 6 squares, the top-left one black, centred on a white screen with at
    // least one square of margin.
    static constexpr int kColumns = 8, kRows = 6;
    struct Board {
        int left, top, square;
    };
    static Board BoardLayout(int screenWidth, int screenHeight);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run();
    void Paint(HWND window) const;

    Pattern pattern_;
    RECT area_;
    UniqueEvent shown_;
    HWND window_ = nullptr;
    std::thread thread_;
};
