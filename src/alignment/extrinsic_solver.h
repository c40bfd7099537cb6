#pragma once
#include "alignment/camera_model.h"
#include "alignment/pattern_points.h"

// Fits the model's pose to the point pairs (iterative PnP with the model's intrinsics and its
// four distortion coefficients). A pose the model refuses is retried once with tz + 1e-5.
// Fewer than 4 pairs, or a solver error, is a failure and leaves the pose as it was.
bool FindExtrinsic(CameraModel& model, const PosePoints& points);
