#pragma once
// The current alignment: the camera and the desktop it looks at, the pattern shown on it, the
// mapping between the two, and the screen correction the pen goes through.
#include "alignment/camera_model.h"
#include "alignment/display_geometry.h"
#include "alignment/pattern_screen.h"
#include "alignment/screen_correction.h"
#include "alignment/screen_mapping.h"

struct AlignmentModel {
    AlignmentModel() = default;
    // The mapping refers to the parts beside it.
    AlignmentModel(const AlignmentModel&) = delete;
    AlignmentModel& operator=(const AlignmentModel&) = delete;

    CameraModel camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    ScreenMapping mapping{camera, geometry, pattern};
    ScreenCorrection screenCorrection;
};
