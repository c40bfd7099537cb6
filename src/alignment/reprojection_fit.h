#pragma once
// Least squares of the pairs' reprojection error in sensor pixels, the measure the pose solver
// and the lens calibration share, taken from a start near the answer. The board searches' trials
// and the held-out folds each differ little from a fit made just before, so a few damped
// Gauss-Newton steps settle them where a solver that starts from nothing would redo its
// homography and initial pose every time.
#include "settings/detector_profile.h"
#include "settings/pattern_points.h"

// What the fit moves.
enum class FreeTerms {
    Pose,
    PoseFocalAndK1,  // also focal length (fx : fy kept) and k1
};

// Moves `pose` (and the free lens terms of `lens`) to the least reprojection error of the pairs,
// with the lens's other terms as they are. False when the error cannot be computed or the result
// is not finite; `lens` and `pose` are then unchanged.
bool PolishReprojectionFit(const PosePoints& points, FreeTerms free, DetectorProfile& lens,
                           CameraPose& pose);
