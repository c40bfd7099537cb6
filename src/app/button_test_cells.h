#pragma once
// What the button test window counts: the pen's buttons arrive as mouse buttons, wheel turns
// (PageUp, PageDown) and keys (F5, F11, Enter, Print Screen).
#include <windows.h>

#include <array>

class ButtonTestCells {
public:
    static constexpr int kCellCount = 8;
    enum CellIndex {
        kLeftButton, kRightButton, kPageUp, kPageDown, kF5, kF11, kEnter, kPrintScreen,
    };

    struct Cell {
        bool pressed = false;
        int count = 0;
    };

    // The cell a message changes, or -1 when it changes nothing (an unlisted key, a repeated
    // key-down, a release with nothing pressed).
    int OnMessage(UINT message, WPARAM wParam);

    const Cell& At(int index) const { return cells_[static_cast<size_t>(index)]; }
    static const wchar_t* Label(int index);

private:
    int Press(int index);
    int Release(int index);
    int Count(int index);

    std::array<Cell, kCellCount> cells_{};
};
