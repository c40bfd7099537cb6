#pragma once
#include "alignment/camera_model.h"
#include "settings/pattern_points.h"

// Fits the model's pose to the point pairs (iterative PnP with the model's intrinsics and its
// four distortion coefficients). A pose the model refuses is retried once with tz + 1e-5.
// Fewer than 4 pairs, pairs on one line, a solver error or a pose that puts part of the screen
// behind the sensor is a failure and leaves the pose as it was. `start`, when given, is a pose
// fitted to the same points through a nearby lens: the reprojection error is then minimised from
// it (PolishReprojectionFit), and the solver sets out from nothing only when that fails.
bool FindExtrinsic(CameraModel& model, const PosePoints& points, const CameraPose* start = nullptr);
