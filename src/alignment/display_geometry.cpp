#include "alignment/display_geometry.h"

#include <cmath>

void DisplayGeometry::SetAspect(float width, float height) {
    if (width == 0.0f || height == 0.0f) {
        width = static_cast<float>(desktopWidth);
        height = static_cast<float>(desktopHeight);
    }
    displayAspectWidth = width;
    displayAspectHeight = height;
    sensorRatio = sensorWidth2 != 0 ? static_cast<float>(sensorWidth) / sensorWidth2 : 1.0f;
    const float desktopAspect =
        desktopHeight != 0 ? static_cast<float>(desktopWidth) / desktopHeight : 0.0f;
    const float factor = desktopAspect != 0.0f ? (width / height) / desktopAspect : 0.0f;
    aspectFactor = std::isfinite(factor) ? factor : 0.0f;
}

void DisplayGeometry::SetDesktop(int32_t width, int32_t height) {
    desktopWidth = width;
    desktopHeight = height;
    SetAspect(displayAspectWidth, displayAspectHeight);
}
