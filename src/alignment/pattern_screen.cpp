#include "alignment/pattern_screen.h"

#include <algorithm>

#include "base/unique_handle.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLightGray = RGB(192, 192, 192);
constexpr COLORREF kGray = RGB(128, 128, 128);

void FillClient(HDC dc, const RECT& clientRect, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &clientRect, brush.Get());
}

}  // namespace

DesktopMetrics DesktopMetrics::Current(HWND window) {
    DesktopMetrics metrics;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &metrics.workArea, 0);
    metrics.borderWidth = GetSystemMetrics(SM_CXBORDER);
    metrics.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    metrics.menuHeight = GetSystemMetrics(SM_CYMENU);
    const WindowDc dc(window);
    if (dc) {
        HFONT font = window ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))
                            : nullptr;
        // Put back while the context is still the window's.
        const SelectedObject selected(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.Get(), &tm);
        metrics.textHeight = tm.tmHeight;
    }
    return metrics;
}

void PatternScreen::SetGrid(int columns, int rows) {
    columns_ = std::clamp(columns, 1, kMaxColumns);
    rows_ = std::clamp(rows, 1, kMaxRows);
}

void PatternScreen::Layout(const ChessboardLayoutRecord& layout, const DesktopMetrics& desktop) {
    layout_ = layout;
    const RECT& work = desktop.workArea;
    const int reserved = desktop.menuHeight + 2 * desktop.textHeight + 6 + desktop.captionHeight +
                         desktop.borderWidth;
    const int left = work.left + 10, right = work.right - 10;
    const int usableTop = work.top + 10 + reserved;
    const int usableBottom = work.bottom - 10 - 2 * desktop.captionHeight;

    squareWidth_ = (right - left) / (columns_ + 1);
    squareHeight_ = (usableBottom - usableTop) / (rows_ + 1);
    if (layout.scaleXPercent > 0 && layout.scaleXPercent <= 150)
        squareWidth_ = squareWidth_ * layout.scaleXPercent / 100;
    if (layout.scaleYPercent > 0 && layout.scaleYPercent <= 150)
        squareHeight_ = squareHeight_ * layout.scaleYPercent / 100;

    boardWidth_ = (columns_ + 1) * squareWidth_;
    boardHeight_ = (rows_ + 1) * squareHeight_;
    originX_ = (right + left) / 2 - boardWidth_ / 2;
    originY_ = (usableBottom + usableTop) / 2 - boardHeight_ / 2;
    // An offset beyond a whole work area only moves the board off the desktop; bounding it
    // also keeps the arithmetic in range whatever the file holds.
    originX_ += (work.right - work.left) * std::clamp(layout.offsetXPercent, -100, 100) / 100;
    originY_ += (work.bottom - work.top) * std::clamp(layout.offsetYPercent, -100, 100) / 100;

    for (int r = 0; r <= rows_ + 1; ++r)
        for (int c = 0; c <= columns_ + 1; ++c)
            vertices_[r * (columns_ + 2) + c] = {originX_ + c * squareWidth_,
                                                 originY_ + r * squareHeight_};
}

POINT PatternScreen::CornerPosition(int column, int row) const {
    column = std::clamp(column, 0, columns_ + 1);
    row = std::clamp(row, 0, rows_ + 1);
    return vertices_[row * (columns_ + 2) + column];
}

std::array<POINT, 2> PatternScreen::InnerCornerSpan() const {
    return {CornerPosition(1, 1), CornerPosition(columns_, rows_)};
}

void PatternScreen::Advance() {
    if (kind_ == kPatternSingleCorner) {
        SetKind(kPatternChessboard);
    } else if (kind_ == kPatternQuadrantLast) {
        SetKind(kPatternQuadrantFirst);
    } else {
        const int next = kind_ + 1;
        SetKind(next, next == kPatternSingleCorner ? 0 : kDefaultLevel);
    }
}

void PatternScreen::DrawSquares(HDC dc, POINT clientOrigin, int firstColumn, int lastColumn,
                                int firstRow, int lastRow, COLORREF fill, COLORREF outline) const {
    UniqueBrush brush(CreateSolidBrush(fill));
    UniquePen pen(CreatePen(PS_SOLID, 1, outline));
    SelectedObject selectedBrush(dc, brush.Get());
    SelectedObject selectedPen(dc, pen.Get());
    for (int r = std::max(firstRow, 0); r <= std::min(lastRow, rows_); ++r) {
        for (int c = std::max(firstColumn, 0); c <= std::min(lastColumn, columns_); ++c) {
            if ((c + r) % 2 == 0) continue;
            POINT square[4] = {CornerPosition(c, r), CornerPosition(c + 1, r),
                               CornerPosition(c + 1, r + 1), CornerPosition(c, r + 1)};
            for (POINT& p : square) {
                p.x -= clientOrigin.x;
                p.y -= clientOrigin.y;
            }
            Polygon(dc, square, 4);
        }
    }
}

void PatternScreen::DrawSingleCorner(HDC dc, POINT clientOrigin) const {
    const int column = level_ % columns_;
    const int row = level_ / columns_;
    DrawSquares(dc, clientOrigin, column, column + 1, row, row + 1, kWhite, kWhite);
}

void PatternScreen::DrawQuadrant(HDC dc, const RECT& clientRect, POINT clientOrigin) const {
    const int quadrant = kind_ - kPatternQuadrantFirst;
    const bool right = quadrant % 2 == 1;
    const bool bottom = quadrant / 2 == 1;
    if (quadrantStyle_ == 0) {
        const int halfColumns = columns_ / 2, halfRows = rows_ / 2;
        DrawSquares(dc, clientOrigin, right ? halfColumns + 1 : 0, right ? columns_ : halfColumns,
                    bottom ? halfRows + 1 : 0, bottom ? rows_ : halfRows, kWhite, kBlack);
        return;
    }
    const int halfWidth = (clientRect.right - clientRect.left) / 2;
    const int halfHeight = (clientRect.bottom - clientRect.top) / 2;
    RECT lit;
    lit.left = clientRect.left + (right ? halfWidth : 0) + halfWidth / 8;
    lit.top = clientRect.top + (bottom ? halfHeight : 0) + halfHeight / 8;
    lit.right = lit.left + halfWidth - 2 * (halfWidth / 8);
    lit.bottom = lit.top + halfHeight - 2 * (halfHeight / 8);
    FillClient(dc, lit, kWhite);
}

void PatternScreen::Draw(HDC dc, const RECT& clientRect, POINT clientOrigin, bool gray) const {
    const bool blackBackground = kind_ == kPatternBlack || kind_ >= kPatternSingleCorner;
    FillClient(dc, clientRect, blackBackground ? kBlack : kWhite);
    switch (kind_) {
        case kPatternChessboard:
        case kPatternChessboardAgain:
            DrawSquares(dc, clientOrigin, 0, columns_, 0, rows_, gray ? kLightGray : kBlack,
                        gray ? kGray : kBlack);
            break;
        case kPatternSingleCorner:
            DrawSingleCorner(dc, clientOrigin);
            break;
        case kPatternWhite:
        case kPatternBlack:
            break;
        default:
            if (kind_ >= kPatternQuadrantFirst && kind_ <= kPatternQuadrantLast)
                DrawQuadrant(dc, clientRect, clientOrigin);
            break;
    }
}

int CornerQuadrant(int index, int columns, int rows) {
    if (columns <= 0 || index < 0 || index >= columns * rows) return -1;
    const int column = index % columns, row = index / columns;
    return (column >= columns / 2 ? 1 : 0) + (row >= rows / 2 ? 2 : 0);
}
