#pragma once
// A desktop with fixed font and frame metrics, so board layouts come out the same everywhere.
#include "alignment/pattern_screen.h"

inline DesktopMetrics Desktop(int width, int height) {
    DesktopMetrics d;
    d.workArea = {0, 0, width, height};
    d.textHeight = 16;
    d.borderWidth = 1;
    d.captionHeight = 19;
    d.menuHeight = 19;
    return d;
}
