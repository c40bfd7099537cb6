#pragma once
// F2's window: eight cells that count the pen's buttons as they arrive, with a hint on pairing
// and the battery. The main window is disabled while it is open.
#include <windows.h>

#include "app/button_test_cells.h"

#include <array>
#include <string>

inline constexpr wchar_t kButtonTestClassName[] = L"TavroPBTClass";

class ButtonTestWindow {
public:
    static constexpr COLORREF kHintColour = RGB(0xC0, 0, 0);

    // Opens the window afresh (closing an open one first); false when it cannot.
    static bool Open(HWND owner, const wchar_t* title, HICON icon);
    // Closes it if open (also at process exit).
    static void Close();
    // The open window, or null.
    static ButtonTestWindow* Current();

    HWND Window() const { return window_; }
    const ButtonTestCells& Cells() const { return cells_; }
    const RECT& CellRect(int index) const { return cellRects_[static_cast<size_t>(index)]; }
    const RECT& HintRect() const { return hintRect_; }
    // The cell changed last, kept across openings; -1 before any.
    static int LastChangedCell();

private:
    explicit ButtonTestWindow(HWND owner);
    bool Create(const wchar_t* title);
    void Layout(SIZE client, int hintHeight);
    void Paint(HDC dc) const;
    void PaintCell(HDC dc, int index) const;
    void OnInput(UINT message, WPARAM wParam);
    void InvalidateCell(int index) const;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    HWND window_ = nullptr;
    std::wstring hint_;
    RECT hintRect_{};
    std::array<RECT, ButtonTestCells::kCellCount> cellRects_{};
    std::array<RECT, ButtonTestCells::kCellCount> labelRects_{};
    ButtonTestCells cells_;
};
