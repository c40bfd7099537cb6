#include "alignment/coverage_ring.h"

#include <algorithm>

namespace {

// 16 points clockwise around a rectangle: corners with the quarter, half and three-quarter
// points between them.
template <typename Point>
std::array<Point, 16> RectangleRing(int left, int top, int right, int bottom) {
    auto splits = [](int a, int b) {
        const int half = (a + b) / 2;
        return std::array<int, 3>{(a + half) / 2, half, (half + b) / 2};
    };
    const auto topXs = splits(left, right), rightYs = splits(top, bottom);
    const auto bottomXs = splits(right, left), leftYs = splits(bottom, top);
    return {Point{left, top},          Point{topXs[0], top},     Point{topXs[1], top},
            Point{topXs[2], top},      Point{right, top},        Point{right, rightYs[0]},
            Point{right, rightYs[1]},  Point{right, rightYs[2]}, Point{right, bottom},
            Point{bottomXs[0], bottom}, Point{bottomXs[1], bottom}, Point{bottomXs[2], bottom},
            Point{left, bottom},       Point{left, leftYs[0]},   Point{left, leftYs[1]},
            Point{left, leftYs[2]}};
}

}  // namespace

CoverageRing BuildCoverageRing(const CameraModel& camera, const DisplayGeometry& geometry,
                               int marginX) {
    const int planeWidth = static_cast<int>(geometry.desktopWidth * geometry.Factor());
    const auto plane =
        RectangleRing<POINT>(-marginX, -30, planeWidth + marginX, geometry.desktopHeight + 30);
    CoverageRing ring;
    for (size_t i = 0; i < ring.size(); ++i) {
        const cv::Point2f p = camera.ProjectBoardPoint(static_cast<float>(plane[i].x),
                                                       static_cast<float>(plane[i].y));
        ring[i] = {static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
    }
    return ring;
}

bool RingLeavesFrame(const CoverageRing& ring, const DisplayGeometry& geometry) {
    return std::any_of(ring.begin(), ring.end(), [&](POINT p) {
        return p.x < -1 || p.y < -1 || p.x > geometry.sensorWidth + 1 ||
               p.y > geometry.sensorHeight + 1;
    });
}

std::array<POINT, 16> SensorFrameOutline(const DisplayGeometry& geometry) {
    return RectangleRing<POINT>(0, 0, geometry.sensorWidth, geometry.sensorHeight);
}

TrackingArea BuildTrackingArea(const CameraModel& camera, const DisplayGeometry& geometry,
                               bool withSpyPoints) {
    TrackingArea area;
    const int margin = geometry.sensorWidth2 > 0
                           ? geometry.desktopWidth / geometry.sensorWidth2 * 20
                           : 0;
    area.ring = BuildCoverageRing(camera, geometry, margin);
    for (POINT& p : area.ring) {
        p.x = std::clamp<LONG>(p.x, 0, geometry.sensorWidth2);
        p.y = std::clamp<LONG>(p.y, 0, geometry.sensorHeight2);
    }
    area.bounds = {area.ring[0].x, area.ring[0].y, area.ring[0].x, area.ring[0].y};
    for (POINT p : area.ring) {
        area.bounds.left = std::min(area.bounds.left, p.x);
        area.bounds.top = std::min(area.bounds.top, p.y);
        area.bounds.right = std::max(area.bounds.right, p.x);
        area.bounds.bottom = std::max(area.bounds.bottom, p.y);
    }
    if (!withSpyPoints) return area;
    // Two pixels in from each corner, towards the ring's middle: a corner is the ring's extreme
    // on at least one axis, so a step outwards would leave the searched rectangle however the
    // sensor is mounted. The order is P0, P4, P12, P8.
    const LONG middleX = (area.bounds.left + area.bounds.right) / 2;
    const LONG middleY = (area.bounds.top + area.bounds.bottom) / 2;
    for (const int corner : {0, 4, 12, 8}) {
        POINT p = area.ring[corner];
        p.x += p.x < middleX ? 2 : -2;
        p.y += p.y < middleY ? 2 : -2;
        if (p.x >= area.bounds.left && p.x < area.bounds.right && p.y >= area.bounds.top &&
            p.y < area.bounds.bottom)
            area.spyPoints[area.spyPointCount++] = p;
    }
    return area;
}
