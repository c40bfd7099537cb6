#include "alignment/lens_refinement.h"

#include <opencv2/calib3d.hpp>

#include <cmath>
#include <vector>

#include "alignment/camera_model.h"
#include "alignment/extrinsic_solver.h"
#include "alignment/outline_lens_fit.h"

namespace {

constexpr double kMostFocalChange = 0.5;
constexpr int kLeastHeldOutPairs = 6;
// Fewer outline points than this leave k2 fixed: too little of the edges is in view.
constexpr int kLeastOutlinePoints = 12;

bool UsableOutline(const OutlinePoints* outline) {
    return outline != nullptr && outline->count >= kLeastOutlinePoints;
}

// Focal length and k1 fitted to the board's corners.
bool Calibrate(const PosePoints& points, DetectorProfile& lens) {
    std::vector<std::vector<cv::Point3f>> objects(1);
    std::vector<std::vector<cv::Point2f>> images(1);
    objects[0].assign(points.objectPoints, points.objectPoints + points.count);
    images[0].assign(points.imagePoints, points.imagePoints + points.count);
    cv::Matx33d camera(lens.fx, 0.0, lens.cx, 0.0, lens.fy, lens.cy, 0.0, 0.0, 1.0);
    cv::Mat cameraMatrix(camera);
    cv::Mat distortion = (cv::Mat_<double>(1, 5) << lens.k1, lens.k2, lens.p1, lens.p2, 0.0);
    std::vector<cv::Mat> rotations, translations;
    const int flags = cv::CALIB_USE_INTRINSIC_GUESS | cv::CALIB_FIX_PRINCIPAL_POINT |
                      cv::CALIB_FIX_ASPECT_RATIO | cv::CALIB_FIX_TANGENT_DIST | cv::CALIB_FIX_K2 |
                      cv::CALIB_FIX_K3;
    const cv::Size imageSize(static_cast<int>(2.0f * lens.cx), static_cast<int>(2.0f * lens.cy));
    try {
        cv::calibrateCamera(objects, images, imageSize, cameraMatrix, distortion, rotations,
                            translations, flags,
                            cv::TermCriteria(cv::TermCriteria::COUNT + cv::TermCriteria::EPS, 60,
                                             1e-10));
    } catch (const cv::Exception&) {
        return false;
    }
    const double fx = cameraMatrix.at<double>(0, 0);
    const double fy = cameraMatrix.at<double>(1, 1);
    const double k1 = distortion.at<double>(0, 0);
    const double k2 = distortion.at<double>(0, 1);
    if (!std::isfinite(fx) || !std::isfinite(fy) || !std::isfinite(k1) || !std::isfinite(k2) ||
        std::fabs(fx / lens.fx - 1.0) > kMostFocalChange)
        return false;
    lens.fx = static_cast<float>(fx);
    lens.fy = static_cast<float>(fy);
    lens.k1 = static_cast<float>(k1);
    lens.k2 = static_cast<float>(k2);
    return true;
}

// The board alone fixes focal length and k1 well; the outline then reaches to the screen's edges.
bool RefineOnOutline(const PosePoints& points, const OutlinePoints& outline, DetectorProfile& lens) {
    CameraModel model;
    model.SetIntrinsics(lens);
    if (!FindExtrinsic(model, points)) return false;
    return FitLensToBoardAndOutline(points, outline, model.Pose(), lens);
}

}  // namespace

bool FitLensAndPose(const PosePoints& points, LensFit fit, DetectorProfile& lens,
                    CameraPose& pose, const OutlinePoints* outline) {
    DetectorProfile fitted = lens;
    if (fit == LensFit::FocalAndRadial) {
        if (!Calibrate(points, fitted)) return false;
        if (UsableOutline(outline) && !RefineOnOutline(points, *outline, fitted)) return false;
    }
    // The pose comes from the one solver the rest of the program uses, with its checks.
    CameraModel model;
    model.SetIntrinsics(fitted);
    if (!FindExtrinsic(model, points)) return false;
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
    CameraModel model;
    for (int out = 0; out < points.count; ++out) {
        PosePoints others;
        for (int i = 0; i < points.count; ++i) {
            if (i == out) continue;
            others.imagePoints[others.count] = points.imagePoints[i];
            others.objectPoints[others.count++] = points.objectPoints[i];
        }
        DetectorProfile fitted = lens;
        CameraPose pose;
        if (!FitLensAndPose(others, fit, fitted, pose, outline)) return false;
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
