#pragma once
// The ring of 16 points around the screen's edge as the sensor sees it: used to check that the
// sensor covers the whole screen and to bound the area searched for the pen.
#include <windows.h>

#include <array>

#include "alignment/camera_model.h"
#include "alignment/display_geometry.h"
#include "imaging/point_ring.h"

// The plane rectangle of the desktop grown by marginX left and right and by 30 at the top and
// bottom, 16 points clockwise from the top-left corner, projected into the sensor.
CoverageRing BuildCoverageRing(const CameraModel& camera, const DisplayGeometry& geometry,
                               int marginX);

// True when a ring point (margin 0) lies outside the sensor frame grown by one pixel.
bool RingLeavesFrame(const CoverageRing& ring, const DisplayGeometry& geometry);

// The sensor frame's border, 16 points clockwise from (0, 0), as sensor pixels.
std::array<POINT, 16> SensorFrameOutline(const DisplayGeometry& geometry);

// The area searched for the pen: the ring with a margin of 20 sensor pixels' worth of desktop,
// clamped into the frame, and its bounding box (right and bottom exclusive).
struct TrackingArea {
    CoverageRing ring{};
    RECT bounds{};
    std::array<POINT, 4> spyPoints{};
    int spyPointCount = 0;
};
// Spy points are chosen only when withSpyPoints is set: the ring's corners moved 2 pixels
// inwards that lie inside the bounds.
TrackingArea BuildTrackingArea(const CameraModel& camera, const DisplayGeometry& geometry,
                               bool withSpyPoints);
