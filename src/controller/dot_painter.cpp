#include "controller/dot_painter.h"

#include "base/unique_handle.h"

namespace {

constexpr int kOutlineWidth = 2;

}  // namespace

COLORREF DotColour(const DotSet& dots, int cornerIndex) {
    if (cornerIndex == dots.current) return kTargetDotColour;
    switch (DotSet::StateOf(dots.points[cornerIndex])) {
    case DotState::Done:
        return kDoneDotColour;
    case DotState::Lost:
        return kLostDotColour;
    default:
        return kWaitingDotColour;
    }
}

POINT DotPosition(const PatternScreen& pattern, int cornerIndex) {
    const int columns = pattern.Columns() > 0 ? pattern.Columns() : 1;
    return pattern.CornerPosition(cornerIndex % columns + 1, cornerIndex / columns + 1);
}

void PaintDots(HDC dc, const DotSet& dots, const PatternScreen& pattern, POINT clientOrigin) {
    UniquePen outline(CreatePen(PS_SOLID, kOutlineWidth, RGB(255, 255, 255)));
    SelectedObject pen(dc, outline.Get());
    for (int index : kDotOrder) {
        const POINT screen = DotPosition(pattern, index);
        const int x = screen.x - clientOrigin.x;
        const int y = screen.y - clientOrigin.y;
        UniqueBrush fill(CreateSolidBrush(DotColour(dots, index)));
        {
            SelectedObject brush(dc, fill.Get());
            Ellipse(dc, x - kDotRadius, y - kDotRadius, x + kDotRadius + 1, y + kDotRadius + 1);
        }
        MoveToEx(dc, x - kDotRadius, y, nullptr);
        LineTo(dc, x + kDotRadius, y);
        MoveToEx(dc, x, y - kDotRadius, nullptr);
        LineTo(dc, x, y + kDotRadius);
    }
}
