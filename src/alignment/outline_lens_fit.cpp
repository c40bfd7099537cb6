#include "alignment/outline_lens_fit.h"

#include <opencv2/calib3d.hpp>

#include <cmath>
#include <vector>

#include "alignment/camera_model.h"

namespace {

constexpr double kMostFocalChange = 0.5;
constexpr int kMostIterations = 40;
// Parameters: focal length, k1, k2, rotation (3), translation (3) and, per side, how far its
// step lies off the side. Where a step sits across a blurred edge depends on the sensor's
// response, which no one here knows: a fraction of a sensor pixel, desktop pixels at the edges.
// Free offsets leave each side only its shape, how the lens bends a straight line, which is
// what the board cannot show out there.
constexpr int kSides = 4;
constexpr int kFirstOffset = 9;
constexpr int kParameters = kFirstOffset + kSides;
// Sensor pixels a side's points may scatter about its fitted line (root mean square): more,
// and something else than a straight edge (a window's frame, the room's light) made the steps.
constexpr double kMostSideScatter = 0.5;
// Fewer points than this show a side's place but not its bend.
constexpr int kLeastSidePoints = 4;
// Weight of the faint pull of every offset towards 0, in sensor pixels per plane unit: enough to
// keep the offset of a side without points defined, too little to move any other.
constexpr double kOffsetPull = 1e-3;

DetectorProfile LensAt(const cv::Mat& parameters, const DetectorProfile& start) {
    const double* p = parameters.ptr<double>();
    DetectorProfile lens = start;
    lens.fx = static_cast<float>(p[0]);
    lens.fy = static_cast<float>(p[0] * start.fy / start.fx);
    lens.k1 = static_cast<float>(p[1]);
    lens.k2 = static_cast<float>(p[2]);
    return lens;
}

CameraPose PoseAt(const cv::Mat& parameters) {
    const double* p = parameters.ptr<double>();
    return {static_cast<float>(p[6]), static_cast<float>(p[7]), static_cast<float>(p[8]),
            static_cast<float>(p[3]), static_cast<float>(p[4]), static_cast<float>(p[5])};
}

// The plane point on the outline point's edge (moved by its side's offset) nearest to where
// `model` maps its sensor pixel: its pair for the fit, slid along the edge to follow the fit.
cv::Point3d ObjectOnSide(const OutlinePoints& outline, int i, const CameraModel& model,
                         const double* offsets) {
    const cv::Point2f p = model.SensorToBoard(outline.sensor[i].x, outline.sensor[i].y);
    const double edge = outline.edge[i] + offsets[static_cast<int>(outline.side[i])];
    switch (outline.side[i]) {
        case ScreenSide::Left:
        case ScreenSide::Right: return {edge, p.y, 0.0};
        default: return {p.x, edge, 0.0};
    }
}

class BoardAndOutline : public cv::LMSolver::Callback {
public:
    BoardAndOutline(const PosePoints& points, const OutlinePoints& outline,
                    const DetectorProfile& start)
        : points_(points), outline_(outline), start_(start) {}

    bool compute(cv::InputArray parameterArray, cv::OutputArray errorArray,
                 cv::OutputArray jacobianArray) const override {
        cv::Mat parameters = parameterArray.getMat().clone();
        const int rows = points_.count * 2 + outline_.count + kSides;
        errorArray.create(rows, 1, CV_64F);
        cv::Mat errors = errorArray.getMat();
        if (!Residuals(parameters, errors)) return false;
        if (!jacobianArray.needed()) return true;
        // Central differences: the outline's rows also move with where along its side each
        // point is placed, which no closed form here follows.
        jacobianArray.create(rows, kParameters, CV_64F);
        cv::Mat jacobian = jacobianArray.getMat();
        cv::Mat above(rows, 1, CV_64F), below(rows, 1, CV_64F);
        for (int j = 0; j < kParameters; ++j) {
            const double step = StepFor(j, parameters);
            const double kept = parameters.at<double>(j);
            parameters.at<double>(j) = kept + step;
            const bool upOk = Residuals(parameters, above);
            parameters.at<double>(j) = kept - step;
            const bool downOk = Residuals(parameters, below);
            parameters.at<double>(j) = kept;
            if (!upOk || !downOk) return false;
            jacobian.col(j) = (above - below) / (2.0 * step);
        }
        return true;
    }

private:
    static double StepFor(int parameter, const cv::Mat& parameters) {
        switch (parameter) {
            case 0: return 1e-3 * std::fabs(parameters.at<double>(0));
            case 1: case 2: return 1e-5;
            case 3: case 4: case 5: return 1e-6;
            case 6: case 7: case 8: return 1e-4 * std::fabs(parameters.at<double>(8)) + 1e-6;
            default: return 1e-3;
        }
    }

    // Per corner its offset (x, y) in sensor pixels; per outline point its distance across the
    // edge the parameters project, at the place along the side where they map the point.
    bool Residuals(const cv::Mat& parameters, cv::Mat& errors) const {
        const double* p = parameters.ptr<double>();
        const DetectorProfile lens = LensAt(parameters, start_);
        CameraModel model;
        model.SetIntrinsics(lens);
        if (!model.SetPose(PoseAt(parameters))) return false;
        std::vector<cv::Point3d> objects;
        for (int i = 0; i < points_.count; ++i) {
            const cv::Point3f& corner = points_.objectPoints[i];
            objects.emplace_back(corner.x, corner.y, 0.0);
        }
        for (int i = 0; i < outline_.count; ++i) {
            const cv::Point3d onSide = ObjectOnSide(outline_, i, model, p + kFirstOffset);
            const bool vertical = outline_.side[i] == ScreenSide::Left ||
                                  outline_.side[i] == ScreenSide::Right;
            objects.push_back(onSide);
            objects.push_back(onSide + (vertical ? cv::Point3d(0, 1, 0) : cv::Point3d(1, 0, 0)));
        }
        const cv::Matx33d camera(p[0], 0.0, lens.cx, 0.0, p[0] * start_.fy / start_.fx, lens.cy,
                                 0.0, 0.0, 1.0);
        const cv::Matx<double, 1, 5> distortion(p[1], p[2], lens.p1, lens.p2, 0.0);
        std::vector<cv::Point2d> projected;
        cv::projectPoints(objects, cv::Vec3d(p[3], p[4], p[5]), cv::Vec3d(p[6], p[7], p[8]), camera,
                          distortion, projected);
        double* e = errors.ptr<double>();
        for (int i = 0; i < points_.count; ++i) {
            *e++ = projected[i].x - points_.imagePoints[i].x;
            *e++ = projected[i].y - points_.imagePoints[i].y;
        }
        for (int i = 0; i < outline_.count; ++i) {
            const cv::Point2d edge = projected[points_.count + 2 * i];
            const cv::Point2d along = projected[points_.count + 2 * i + 1] - edge;
            const double length = std::hypot(along.x, along.y);
            if (!(length > 0.0)) return false;
            const cv::Point2d across(-along.y / length, along.x / length);
            *e++ = across.dot(edge - cv::Point2d(outline_.sensor[i].x, outline_.sensor[i].y));
        }
        for (int side = 0; side < kSides; ++side) *e++ = kOffsetPull * p[kFirstOffset + side];
        return true;
    }

    const PosePoints& points_;
    const OutlinePoints& outline_;
    const DetectorProfile& start_;
};

}  // namespace

namespace {

bool Solve(const PosePoints& points, const OutlinePoints& outline, const DetectorProfile& start,
           cv::Mat& parameters) {
    try {
        const cv::Ptr<cv::LMSolver> solver = cv::LMSolver::create(
            cv::makePtr<BoardAndOutline>(points, outline, start), kMostIterations);
        solver->run(parameters);
    } catch (const cv::Exception&) {
        return false;
    }
    for (int i = 0; i < kParameters; ++i)
        if (!std::isfinite(parameters.at<double>(i))) return false;
    return true;
}

// The outline without the sides whose points scatter about the fit by more than
// kMostSideScatter, or that have too few points to show a bend.
OutlinePoints SidesOnTheFit(const PosePoints& points, const OutlinePoints& outline,
                            const DetectorProfile& start, const cv::Mat& parameters) {
    cv::Mat errors;
    if (!BoardAndOutline(points, outline, start).compute(parameters, errors, cv::noArray()))
        return outline;
    double squares[kSides] = {};
    int count[kSides] = {};
    for (int i = 0; i < outline.count; ++i) {
        const int side = static_cast<int>(outline.side[i]);
        const double e = errors.at<double>(points.count * 2 + i);
        squares[side] += e * e;
        ++count[side];
    }
    OutlinePoints kept = outline;
    kept.count = 0;
    for (int i = 0; i < outline.count; ++i) {
        const int side = static_cast<int>(outline.side[i]);
        if (count[side] < kLeastSidePoints ||
            std::sqrt(squares[side] / count[side]) > kMostSideScatter)
            continue;
        kept.sensor[kept.count] = outline.sensor[i];
        kept.edge[kept.count] = outline.edge[i];
        kept.side[kept.count++] = outline.side[i];
    }
    return kept;
}

}  // namespace

bool FitLensToBoardAndOutline(const PosePoints& points, const OutlinePoints& outline,
                              const CameraPose& pose, DetectorProfile& lens) {
    const cv::Mat start = (cv::Mat_<double>(kParameters, 1) << lens.fx, lens.k1, lens.k2, pose.rx,
                           pose.ry, pose.rz, pose.tx, pose.ty, pose.tz, 0.0, 0.0, 0.0, 0.0);
    cv::Mat parameters = start.clone();
    if (!Solve(points, outline, lens, parameters)) return false;
    const OutlinePoints kept = SidesOnTheFit(points, outline, lens, parameters);
    if (kept.count < outline.count) {
        parameters = start.clone();
        if (!Solve(points, kept, lens, parameters)) return false;
    }
    const DetectorProfile fitted = LensAt(parameters, lens);
    if (std::fabs(fitted.fx / lens.fx - 1.0f) > kMostFocalChange) return false;
    lens = fitted;
    return true;
}
