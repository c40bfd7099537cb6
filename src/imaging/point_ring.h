#pragma once
// Sixteen points around the screen's edge as the sensor sees it, clockwise from its top-left
// corner, in sensor pixels. Alignment builds it; gain finding masks and measures the screen by it.
#include <windows.h>

#include <array>

using CoverageRing = std::array<POINT, 16>;
