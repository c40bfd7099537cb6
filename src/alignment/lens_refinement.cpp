#include "alignment/lens_refinement.h"

#include <cmath>

#include "alignment/camera_model.h"
#include "alignment/extrinsic_solver.h"
#include "alignment/outline_lens_fit.h"
#include "alignment/reprojection_fit.h"

namespace {

constexpr double kMostFocalChange = 0.5;
constexpr int kLeastHeldOutPairs = 6;
// Fewer outline points than this leave k2 fixed: too little of the edges is in view.
constexpr int kLeastOutlinePoints = 12;

bool UsableOutline(const OutlinePoints* outline) {
    return outline != nullptr && outline->count >= kLeastOutlinePoints;
}

}  // namespace

bool FitLensAndPose(const PosePoints& points, LensFit fit, DetectorProfile& lens,
                    CameraPose& pose, const OutlinePoints* outline, const CameraPose* start) {
    // The pose comes from the one solver the rest of the program uses, with its checks; every
    // lens fit sets out from a pose through the lens as given.
    CameraModel model;
    model.SetIntrinsics(lens);
    if (!FindExtrinsic(model, points, start)) return false;
    DetectorProfile fitted = lens;
    if (fit == LensFit::FocalAndRadial) {
        CameraPose near = model.Pose();
        if (!PolishReprojectionFit(points, FreeTerms::PoseFocalAndK1, fitted, near) ||
            std::fabs(fitted.fx / lens.fx - 1.0f) > kMostFocalChange)
            return false;
        if (UsableOutline(outline) && !FitLensToBoardAndOutline(points, *outline, near, fitted))
            return false;
        model.SetIntrinsics(fitted);
        if (!FindExtrinsic(model, points, &near)) return false;
    }
    lens = fitted;
    pose = model.Pose();
    return true;
}

double HeldOutErrors::MeanDistance() const {
    if (count == 0) return 0.0;
    double sum = 0.0;
    for (int i = 0; i < count; ++i) sum += std::hypot(errors[i].x, errors[i].y);
    return sum / count;
}

bool MeasureHeldOutErrors(const PosePoints& points, const DetectorProfile& lens, LensFit fit,
                          float aspectFactor, HeldOutErrors& result,
                          const OutlinePoints* outline) {
    result = HeldOutErrors{};
    if (points.count < kLeastHeldOutPairs + 1 || points.count > PosePoints::kCapacity ||
        aspectFactor <= 0.0f)
        return false;
    // Each fold differs from the fit on all pairs by one pair: it sets out from that fit.
    DetectorProfile full = lens;
    CameraPose fullPose;
    if (!FitLensAndPose(points, fit, full, fullPose, outline)) return false;
    CameraModel model;
    for (int out = 0; out < points.count; ++out) {
        PosePoints others;
        for (int i = 0; i < points.count; ++i) {
            if (i == out) continue;
            others.imagePoints[others.count] = points.imagePoints[i];
            others.objectPoints[others.count++] = points.objectPoints[i];
        }
        DetectorProfile fitted = full;
        CameraPose pose;
        if (!FitLensAndPose(others, fit, fitted, pose, outline, &fullPose)) return false;
        model.SetIntrinsics(fitted);
        if (!model.SetPose(pose)) return false;
        const cv::Point2f seen = points.imagePoints[out];
        const cv::Point2f plane = model.SensorToBoard(seen.x, seen.y);
        const cv::Point3f drawn = points.objectPoints[out];
        result.errors[out] = {std::fabs(plane.x - drawn.x) / aspectFactor,
                              std::fabs(plane.y - drawn.y)};
    }
    result.count = points.count;
    return true;
}
