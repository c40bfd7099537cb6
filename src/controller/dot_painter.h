#pragma once
// The picture of the manual alignment's dot input: nine dots at their board corners, coloured
// by their state, each with a white outline and a white cross to aim at.
#include <windows.h>

#include "alignment/dot_set.h"
#include "alignment/pattern_screen.h"

inline constexpr int kDotRadius = 15;
inline constexpr COLORREF kTargetDotColour = RGB(0, 255, 0);
inline constexpr COLORREF kDoneDotColour = RGB(128, 128, 128);
inline constexpr COLORREF kWaitingDotColour = RGB(255, 0, 0);
inline constexpr COLORREF kLostDotColour = RGB(0, 0, 128);

COLORREF DotColour(const DotSet& dots, int cornerIndex);

// Screen position of a dot: the board's inner corner of that index.
POINT DotPosition(const PatternScreen& pattern, int cornerIndex);

// Paints every dot into a client area whose top-left lies at `clientOrigin` on the screen.
void PaintDots(HDC dc, const DotSet& dots, const PatternScreen& pattern, POINT clientOrigin);
