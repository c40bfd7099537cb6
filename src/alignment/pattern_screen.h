#pragma once
// The full-screen pictures the sensor is meant to see (chessboard, white and black references,
// one chessboard corner, one lit quadrant, the grey board of Idle) and the board geometry that
// says where each square was drawn on the desktop.
#include <windows.h>

#include <array>

#include "settings/chessboard_layout_record.h"

// Desktop measurements the board layout depends on.
struct DesktopMetrics {
    RECT workArea{};
    int textHeight = 0;   // one text line of the main window's font
    int borderWidth = 0;  // SM_CXBORDER
    int captionHeight = 0;  // SM_CYCAPTION
    int menuHeight = 0;     // SM_CYMENU

    // The current desktop's values; the text height comes from the window's font.
    static DesktopMetrics Current(HWND window);
};

enum PatternKind : int {
    kPatternChessboard = 0,
    kPatternWhite = 1,
    kPatternBlack = 2,
    kPatternChessboardAgain = 3,
    kPatternSingleCorner = 4,
    kPatternQuadrantFirst = 5,
    kPatternQuadrantLast = 8,
};

class PatternScreen {
public:
    static constexpr int kMaxColumns = 7;
    static constexpr int kMaxRows = 7;
    static constexpr int kDefaultLevel = 35;

    // Board of columns x rows inner corners (7 x 5 landscape, 5 x 7 portrait).
    void SetGrid(int columns, int rows);
    // Computes the square size, the board origin and every vertex for the desktop.
    void Layout(const ChessboardLayoutRecord& layout, const DesktopMetrics& desktop);
    // Vertex (column, row) of the square grid as a screen point; inner corner (c, r) is vertex
    // (c + 1, r + 1).
    POINT CornerPosition(int column, int row) const;
    // Screen points of the first and the last inner corner.
    std::array<POINT, 2> InnerCornerSpan() const;
    // Paints the current kind into a client area whose top-left lies at clientOrigin on screen.
    void Draw(HDC dc, const RECT& clientRect, POINT clientOrigin, bool gray) const;

    // kind 4 -> 0, kind 8 -> 5, otherwise the next kind; the level follows the new kind.
    void Advance();
    void SetKind(int kind, int level = kDefaultLevel) {
        kind_ = kind;
        level_ = level;
    }
    void SetQuadrantStyle(int style) { quadrantStyle_ = style; }

    int Kind() const { return kind_; }
    int Level() const { return level_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int SquareWidth() const { return squareWidth_; }
    int SquareHeight() const { return squareHeight_; }
    POINT Origin() const { return {originX_, originY_}; }
    const ChessboardLayoutRecord& LayoutValues() const { return layout_; }

private:
    void DrawSquares(HDC dc, POINT clientOrigin, int firstColumn, int lastColumn, int firstRow,
                     int lastRow, COLORREF fill, COLORREF outline) const;
    void DrawSingleCorner(HDC dc, POINT clientOrigin) const;
    void DrawQuadrant(HDC dc, const RECT& clientRect, POINT clientOrigin) const;

    ChessboardLayoutRecord layout_ = DefaultChessboardLayout();
    int squareWidth_ = 0;
    int squareHeight_ = 0;
    int columns_ = 7;
    int rows_ = 5;
    int boardWidth_ = 0;
    int boardHeight_ = 0;
    int originX_ = 0;
    int originY_ = 0;
    int kind_ = kPatternChessboard;
    int level_ = kDefaultLevel;
    int quadrantStyle_ = 0;
    std::array<POINT, (kMaxColumns + 2) * (kMaxRows + 2)> vertices_{};
};

// Quadrant of a corner index: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right, -1 for an
// index outside the board.
int CornerQuadrant(int index, int columns, int rows);
