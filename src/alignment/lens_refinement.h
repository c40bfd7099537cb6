#pragma once
// The lens a profile describes is where a camera's real one starts, not what it is: a cheaper
// or wider lens bends the picture more, and its focal length differs. Here the lens is refined
// on the board's own corners, and every fit is judged on corners it was not fitted to, which is
// what the pen will be: a point the fit never saw.
#include <array>

#include "alignment/screen_outline.h"
#include "settings/detector_profile.h"
#include "settings/pattern_points.h"

// What a fit may change besides the pose.
enum class LensFit {
    PoseOnly,        // the lens stays as given
    FocalAndRadial,  // focal length (fx : fy kept) and k1; the principal point and the
                     // tangential terms stay. k2 only with the screen's outline: one view of a
                     // flat board alone pins it down too poorly to trust it beyond the board,
                     // where the pen also goes.
};

// Fits the pose, and with FocalAndRadial the lens, to the pairs, starting from `lens` and, when
// given, from `start`, a pose fitted to about the same pairs through about that lens. With an
// outline of enough points the fit also takes those, each free to slide along its side, and
// frees k2. False when the solver fails or ends on something that is no lens (not finite, or a
// focal length that moved by more than half); `lens` and `pose` are then unchanged.
bool FitLensAndPose(const PosePoints& points, LensFit fit, DetectorProfile& lens, CameraPose& pose,
                    const OutlinePoints* outline = nullptr, const CameraPose* start = nullptr);

// Per pair, its desktop error (x, y) when the fit is made on all the other pairs; x is divided
// by `aspectFactor`, as plane x is desktop x times that factor.
struct HeldOutErrors {
    std::array<cv::Point2f, PosePoints::kCapacity> errors{};
    int count = 0;
    double MeanDistance() const;
};

// False when any of the fits fails.
bool MeasureHeldOutErrors(const PosePoints& points, const DetectorProfile& lens, LensFit fit,
                          float aspectFactor, HeldOutErrors& result,
                          const OutlinePoints* outline = nullptr);
