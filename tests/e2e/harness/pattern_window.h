#pragma once
// A topmost full-screen window showing a test pattern on its own thread, so the virtual sensor
// has something known to look at.
#include <windows.h>

#include <thread>

#include "base/unique_handle.h"

enum class Pattern { Black, Grey, White, Chessboard };

class PatternWindow {
public:
    // Shows the pattern and returns once it has been painted.
    explicit PatternWindow(Pattern pattern);
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
    void Run();

    Pattern pattern_;
    UniqueEvent shown_;
    HWND window_ = nullptr;
    std::thread thread_;
};
