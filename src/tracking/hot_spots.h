#pragma once
// Pixels that are already as bright as a pen before any pen is there: where they lie on the
// desktop and how much of the screen they cover.
#include <windows.h>

#include <opencv2/core/mat.hpp>

#include "imaging/pixel_rect.h"
#include "tracking/sensor_to_desktop.h"

struct HotSpotRecord {
    int count = 0;   // hot pixels that map onto the screen
    PixelRect box;   // their bounding box, sensor pixels
    float share = 0.0f;  // count / screen area in sensor pixels
};

// Area of a quadrilateral given clockwise or anticlockwise (Bretschneider's formula on the
// sides and diagonals). Not a finite number for points that form no quadrilateral.
float QuadArea(POINT p0, POINT p1, POINT p2, POINT p3);

// Hot pixels (threshold 255) of the area whose desktop point lies on the screen, counted and
// boxed. All zero when fewer than four count or the box is only one pixel wide or tall.
HotSpotRecord CollectHotSpots(const cv::Mat& threshold, const PixelRect& area,
                              const SensorToDesktopFunction& toDesktop, int screenWidth,
                              int screenHeight);
