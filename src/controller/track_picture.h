#pragma once
// The main window's picture while tracking: a 40-pixel grid on white, a yellow marker where a
// hot spot lies on the desktop, and the red status lines.
#include <windows.h>

#include <opencv2/core/mat.hpp>

#include "imaging/pixel_rect.h"
#include "tracking/sensor_to_desktop.h"

inline constexpr int kTrackGridSpacing = 40;
inline constexpr COLORREF kHotSpotMarkerColour = RGB(255, 255, 0);
inline constexpr COLORREF kTrackTextColour = RGB(255, 0, 0);

// Where the hot pixels are: value 255 in the threshold plane inside the searched area; only the
// first `count` found are marked.
struct HotSpotSource {
    const cv::Mat* threshold = nullptr;
    PixelRect area;
    int count = 0;
    SensorToDesktopFunction toDesktop;
    POINT clientOrigin{};  // screen position of the client area's top-left
};

// White client area with black lines every 40 pixels from x = 0 and y = 0.
void DrawTrackGrid(HDC dc, const RECT& client);

// Half the size of one sensor pixel on the client area, at least 2 either way.
SIZE HotSpotMarkerHalfSize(const RECT& client, int frameWidth, int frameHeight);

// Client rectangles of the markers, in the order the pixels are found (row by row); at most
// `capacity` are written. Returns how many.
int HotSpotMarkers(const HotSpotSource& source, SIZE halfSize, RECT* markers, int capacity);

// Fills every marker in yellow; returns how many were drawn.
int DrawHotSpotMarkers(HDC dc, const RECT& client, const HotSpotSource& source);
