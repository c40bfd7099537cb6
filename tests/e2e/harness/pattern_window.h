#pragma once
// A topmost window of this process on its own thread: a known picture for the virtual sensor to
// look at, or a white target that records the mouse messages its client area receives (in
// screen coordinates) and draws the strokes dragged over it.
#include <windows.h>

#include <mutex>
#include <thread>
#include <vector>

#include "base/unique_handle.h"

enum class Pattern { Grey, Chessboard, Target };

class PatternWindow {
public:
    // Shows the pattern over `area` (the whole screen when empty) and returns once it has been
    // painted.
    explicit PatternWindow(Pattern pattern, const RECT& area = {});
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    struct Received {
        UINT message;
        POINT point;
    };
    std::vector<Received> Messages() const;
    int Count(UINT message) const;
    void Clear();

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
    void Record(HWND window, UINT message, LPARAM position);

    Pattern pattern_;
    RECT area_;
    mutable std::mutex mutex_;
    std::vector<Received> messages_;
    UniqueEvent shown_;
    HWND window_ = nullptr;
    std::thread thread_;
};
