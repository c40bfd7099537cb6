#pragma once
// The tracked spot of one frame.
#include <cstdint>

#include "imaging/pixel_rect.h"

// One lit region found by SpotFinder.
struct Blob {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int pixelCount = 0;
    float distanceSquared = 0.0f;  // to the previous spot's centroid, set by the association
    std::uint8_t keep = 0;

    PixelRect Rect() const { return {x, y, width, height}; }
};

struct SpotRecord {
    int blobCount = -1;  // regions found in the frame
    PixelRect spot{-1, -1, -1, -1};
    float centroidX = -1.0f;  // sensor pixels
    float centroidY = -1.0f;
    float desktopX = -1.0f;  // -1 when there is none
    float desktopY = -1.0f;
    int horizontalSpan = -1;  // of the last band test; -1 when not measured
    int verticalSpan = -1;

    // The state tracking starts from: every integer -1, every float -1.0.
    void Reset() { *this = SpotRecord(); }
};
