#pragma once
// The lens and pose fitted to the board's corners and the screen's outline together. An outline
// point says only that the screen's edge passes through it, not where along the edge it lies, so
// it counts by its distance across the fitted edge; the corners count by their full offset.
#include "alignment/screen_outline.h"
#include "settings/detector_profile.h"
#include "settings/pattern_points.h"

// Fits focal length (fx : fy kept), k1 and k2, starting from `lens` and `pose`; the principal
// point and the tangential terms stay. The pose, and how far each side's steps lie off the
// side, are fitted along; the pose is left to the caller to fit again for the new lens. False when
// the solver ends on something that is no lens (not finite, or a focal length that moved by
// more than half); `lens` is then unchanged.
bool FitLensToBoardAndOutline(const PosePoints& points, const OutlinePoints& outline,
                              const CameraPose& pose, DetectorProfile& lens);
