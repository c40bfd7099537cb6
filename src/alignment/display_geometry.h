#pragma once
// The desktop, the display's physical aspect and the sensor frame sizes that the mapping from
// sensor pixels to desktop pixels depends on.
#include <cstdint>

struct DisplayGeometry {
    float aspectFactor = 1.0f;  // plane x = desktop x * aspectFactor
    float sensorRatio = 1.0f;
    float displayAspectWidth = 4.0f;
    float displayAspectHeight = 3.0f;
    int32_t desktopWidth = 1024;
    int32_t desktopHeight = 768;
    int32_t sensorWidth = 320;
    int32_t sensorHeight = 240;
    int32_t sensorWidth2 = 320;
    int32_t sensorHeight2 = 240;
    int32_t alignedDesktopWidth = 1024;
    int32_t alignedDesktopHeight = 768;

    // Sets the display's aspect (a zero side means "the desktop's own") and the factor.
    void SetAspect(float width, float height);
    // Takes a new desktop size and recomputes the factor for the same display aspect.
    void SetDesktop(int32_t width, int32_t height);
    // The factor, with 0 (a degenerate desktop or aspect) taken as 1.
    float Factor() const { return aspectFactor == 0.0f ? 1.0f : aspectFactor; }
};
