#include "alignment/screen_mapping.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "alignment/extrinsic_solver.h"

namespace {

constexpr float kLostError = -999.0f;
constexpr float kGoodBelow = 6.0f;
constexpr float kCoarseBelow = 15.0f;
constexpr float kBadCornerError = 15.0f;
constexpr int kManualUnusedSlots = 26;

bool IsValidCorner(cv::Point2f p) { return p.x > 0.0f && p.y > 0.0f; }

}  // namespace

AccuracyGrade GradeForAverageErrors(float averageX, float averageY) {
    if (averageX < kGoodBelow && averageY < kGoodBelow) return AccuracyGrade::Good;
    if (averageX < kCoarseBelow && averageY < kCoarseBelow) return AccuracyGrade::Coarse;
    return AccuracyGrade::Bad;
}

ScreenMapping::ScreenMapping(CameraModel& camera, DisplayGeometry& geometry,
                             const PatternScreen& pattern)
    : camera_(camera), geometry_(geometry), pattern_(pattern) {}

void ScreenMapping::SetProfiles(const DetectorProfile* profiles, int count) {
    profileCount_ = std::clamp(count, 0, kMaxProfiles);
    std::copy(profiles, profiles + profileCount_, profiles_.begin());
    selectedProfile_ = -1;
}

bool ScreenMapping::SelectProfile(int index) {
    if (index < 0 || index >= profileCount_) return false;
    selectedProfile_ = index;
    lensRefined_ = false;
    const DetectorProfile& p = profiles_[index];
    if (p.fx == 0.0f || p.fy == 0.0f || p.cx == 0.0f || p.cy == 0.0f) return true;
    camera_.SetIntrinsics(p);
    // Every profile tried during an evaluation keeps the lens of the point count chosen.
    if (secondOffsetPair_) ApplyDistortion();
    return true;
}

void ScreenMapping::SelectOffsetPairByPointCount(int points) {
    if (points < 6) return;
    secondOffsetPair_ = points <= 9;
    if (selectedProfile_ >= 0) ApplyDistortion();
}

void ScreenMapping::ApplyDistortion() {
    const DetectorProfile& own = profiles_[selectedProfile_];
    DetectorProfile p = camera_.Profile();
    p.k1 = own.k1;
    p.k2 = own.k2;
    p.p1 = own.p1;
    p.p2 = secondOffsetPair_ ? 0.0f : own.p2;
    lensRefined_ = false;
    if (p.fx != 0.0f && p.fy != 0.0f) camera_.SetIntrinsics(p);
}

cv::Point2f ScreenMapping::PointerOffset() const {
    if (selectedProfile_ < 0) return {0.0f, 0.0f};
    const DetectorProfile& p = profiles_[selectedProfile_];
    return secondOffsetPair_ ? cv::Point2f(p.offset2X, p.offset2Y)
                             : cv::Point2f(p.offset1X, p.offset1Y);
}

cv::Point2f ScreenMapping::SensorToDesktop(float u, float v) const {
    const cv::Point2f plane = camera_.SensorToBoard(u, v);
    return {plane.x / geometry_.Factor(), plane.y};
}

int ScreenMapping::ValidCorners(const CornerBuffer& corners) const {
    const int n = std::min(BoardCorners(), CornerBuffer::kCapacity);
    return static_cast<int>(std::count_if(corners.points, corners.points + n, IsValidCorner));
}

void ScreenMapping::MeasureAccuracy(CornerBuffer& corners) {
    figures_ = AccuracyFigures{};
    const cv::Point2f p0 = SensorToDesktop(camera_.Profile().cx, camera_.Profile().cy);
    const int columns = pattern_.Columns();
    const int n = std::min(BoardCorners(), CornerBuffer::kCapacity);
    double sumX = 0.0, sumY = 0.0;
    int evaluated = 0;
    for (int i = 0; i < n; ++i) {
        cv::Point2f& corner = corners.points[i];
        if (!IsValidCorner(corner)) {
            if (corner.x == 0.0f && corner.y == 0.0f) {
                ++figures_.lostCorners;
                if (i < static_cast<int>(errors_.size())) errors_[i] = {kLostError, kLostError};
            } else {
                ++figures_.badCorners;
            }
            continue;
        }
        const POINT drawn = pattern_.CornerPosition(i % columns + 1, i / columns + 1);
        const cv::Point2f mapped = SensorToDesktop(corner.x, corner.y);
        float ex = std::fabs(static_cast<float>(drawn.x) - mapped.x);
        float ey = std::fabs(static_cast<float>(drawn.y) - mapped.y);
        if (refining_ && activeWeighting_ != 0) {
            const float d = std::hypot(drawn.x - p0.x, drawn.y - p0.y);
            if (d > 1.0f) {
                const float w = activeWeighting_ == 1 ? std::pow(d, 0.25f) : std::sqrt(d);
                ex *= w;
                ey *= w;
            }
        }
        if (i < static_cast<int>(errors_.size())) errors_[i] = {ex, ey};
        figures_.maxErrorX = std::max(figures_.maxErrorX, ex);
        figures_.maxErrorY = std::max(figures_.maxErrorY, ey);
        sumX += ex;
        sumY += ey;
        ++evaluated;
        if (!refining_ && (ex >= kBadCornerError || ey >= kBadCornerError)) {
            corner = -corner;
            ++figures_.badCorners;
        }
    }
    if (manualAlignment_) figures_.lostCorners -= kManualUnusedSlots;
    if (evaluated == 0) {
        figures_.maxErrorX = figures_.maxErrorY = -1.0f;
        figures_.averageErrorX = figures_.averageErrorY = -1.0f;
        figures_.grade = AccuracyGrade::Failed;
        return;
    }
    figures_.averageErrorX = static_cast<float>(sumX / evaluated);
    figures_.averageErrorY = static_cast<float>(sumY / evaluated);
    figures_.grade = refining_ ? AccuracyGrade::Good
                               : GradeForAverageErrors(figures_.averageErrorX, figures_.averageErrorY);
}

FitResult ScreenMapping::FitAndGrade(CornerBuffer& corners) {
    figures_ = AccuracyFigures{};
    figures_.grade = AccuracyGrade::Failed;
    failure_ = AlignmentFailure::TooFewCorners;
    if (ValidCorners(corners) < minCorners_) return FitResult::Failed;

    const float factor = geometry_.Factor();
    const int columns = pattern_.Columns();
    const int n = std::min(BoardCorners(), CornerBuffer::kCapacity);
    posePoints_.count = recordPoints_.count = 0;
    for (int i = 0; i < n && posePoints_.count < PosePoints::kCapacity; ++i) {
        const cv::Point2f corner = corners.points[i];
        if (!IsValidCorner(corner)) continue;
        const POINT drawn = pattern_.CornerPosition(i % columns + 1, i / columns + 1);
        const int k = posePoints_.count++;
        recordPoints_.count++;
        poseCornerIndex_[k] = i;
        posePoints_.imagePoints[k] = recordPoints_.imagePoints[k] = corner;
        posePoints_.objectPoints[k] = {drawn.x * factor, static_cast<float>(drawn.y), 0.0f};
        recordPoints_.objectPoints[k] = {static_cast<float>(drawn.x), static_cast<float>(drawn.y),
                                         0.0f};
    }
    if (posePoints_.count < minCorners_) return FitResult::Failed;

    failure_ = AlignmentFailure::Unknown;
    if (!FitPose()) return FitResult::Failed;

    MeasureAccuracy(corners);
    switch (figures_.grade) {
        case AccuracyGrade::Good:
            return FitResult::Fitted;
        case AccuracyGrade::Coarse:
            failure_ = AlignmentFailure::Coarse;
            return FitResult::Fitted;
        case AccuracyGrade::Bad:
            failure_ = AlignmentFailure::Bad;
            return FitResult::Fitted;
        default:
            failure_ = AlignmentFailure::Unknown;
            return FitResult::Failed;
    }
}

bool ScreenMapping::FitPose() {
    if (!refining_) return FindExtrinsic(camera_, posePoints_);
    // Every trial fits the same corners; only the lens and the aspect factor tell them apart.
    const float factor = geometry_.Factor();
    bool fitted = false;
    CameraPose pose;
    if (fittedPoses_.Find(camera_.Profile(), factor, fitted, pose))
        return fitted && camera_.SetPose(pose);
    fitted = FindExtrinsic(camera_, posePoints_, fittedPoses_.Latest());
    fittedPoses_.Remember(camera_.Profile(), factor, fitted, camera_.Pose());
    return fitted;
}

double ScreenMapping::TrialError(CornerBuffer& corners, const CornerBuffer& original) {
    corners = original;
    FitAndGrade(corners);
    if (figures_.grade == AccuracyGrade::Failed) return DBL_MAX;
    return std::hypot(static_cast<double>(figures_.averageErrorX),
                      static_cast<double>(figures_.averageErrorY));
}

void ScreenMapping::ChooseProfile(CornerBuffer& corners, const CornerBuffer& original) {
    if (profileCount_ == 1) {
        SelectProfile(0);
        return;
    }
    int best = -1;
    double bestError = DBL_MAX;
    for (int i = 0; i < profileCount_; ++i) {
        SelectProfile(i);
        const double error = TrialError(corners, original);
        if (best < 0 || error < bestError) {
            best = i;
            bestError = error;
        }
    }
    if (best >= 0) SelectProfile(best);
}

void ScreenMapping::SetPrincipalPoint(float cx, float cy) {
    DetectorProfile p = camera_.Profile();
    p.cx = cx;
    p.cy = cy;
    camera_.SetIntrinsics(p);
}

void ScreenMapping::SearchPrincipalPoint(CornerBuffer& corners, const CornerBuffer& original,
                                         float step) {
    cv::Point2f base(camera_.Profile().cx, camera_.Profile().cy);
    if (step > 1.0f && selectedProfile_ >= 0)
        base = {profiles_[selectedProfile_].cx, profiles_[selectedProfile_].cy};
    cv::Point2f winner = base;
    double bestError = DBL_MAX;
    for (int i = -10; i <= 10; i += 2) {
        for (int j = -10; j <= 10; j += 2) {
            const cv::Point2f trial(base.x + i * step, base.y + j * step);
            SetPrincipalPoint(trial.x, trial.y);
            const double error = TrialError(corners, original);
            if (error < bestError) {
                bestError = error;
                winner = trial;
            }
        }
    }
    corners = original;
    SetPrincipalPoint(winner.x, winner.y);
    principalPoint_ = winner;
}

void ScreenMapping::SearchAspect(CornerBuffer& corners, const CornerBuffer& original) {
    if (!aspectDetection_) {
        if (saveAspect_) saveAspect_(geometry_.displayAspectWidth, geometry_.displayAspectHeight);
        return;
    }
    if (ValidCorners(original) < minCorners_) {
        geometry_.SetAspect(static_cast<float>(geometry_.desktopWidth),
                            static_cast<float>(geometry_.desktopHeight));
        if (saveAspect_) saveAspect_(geometry_.displayAspectWidth, geometry_.displayAspectHeight);
        return;
    }
    const AccuracyFigures savedFigures = figures_;
    const float previousWidth = geometry_.displayAspectWidth;
    const float previousHeight = geometry_.displayAspectHeight;
    const bool portrait = geometry_.desktopHeight > geometry_.desktopWidth;
    float width = portrait ? 3.0f : 4.0f;
    float bestHeight = portrait ? 4.0f : 3.0f;
    geometry_.SetAspect(width, bestHeight);
    double bestError = TrialError(corners, original);
    if (figures_.grade == AccuracyGrade::Failed) {
        width = previousWidth;
        bestHeight = previousHeight;
        geometry_.SetAspect(width, bestHeight);
        bestError = TrialError(corners, original);
    }
    float step = 0.1f;
    for (int pass = 0; pass < 4; ++pass, step /= 10.0f) {
        const float centre = bestHeight;
        for (int k = -9; k <= 9; ++k) {
            const float height = centre + k * step;
            if (height <= 0.0f) continue;
            geometry_.SetAspect(width, height);
            const double error = TrialError(corners, original);
            if (error < bestError) {
                bestError = error;
                bestHeight = height;
            }
        }
    }
    corners = original;
    figures_ = savedFigures;
    geometry_.SetAspect(width, bestHeight);
    if (saveAspect_) saveAspect_(width, bestHeight);
}

void ScreenMapping::RunSearches(CornerBuffer& corners, const CornerBuffer& original) {
    const int firstMode = weightingMode_ >= 3 ? 0 : weightingMode_;
    const int lastMode = weightingMode_ >= 3 ? 2 : weightingMode_;
    for (int mode = firstMode; mode <= lastMode; ++mode) {
        activeWeighting_ = mode;
        SearchAspect(corners, original);
        SearchPrincipalPoint(corners, original, 3.0f);
        SearchAspect(corners, original);
        for (float step : {3.0f, 1.0f, 0.1f}) SearchPrincipalPoint(corners, original, step);
    }
    activeWeighting_ = 0;
}

bool ScreenMapping::RefineLensOnBoard(CornerBuffer& corners, const CornerBuffer& original) {
    corners = original;
    FitAndGrade(corners);
    DetectorProfile lens = camera_.Profile();
    CameraPose pose;
    if (!referenceWhite_.empty()) {
        const float factor = geometry_.Factor();
        const cv::Rect2f screen(0.0f, 0.0f, geometry_.desktopWidth * factor,
                                static_cast<float>(geometry_.desktopHeight));
        const cv::Rect2f lit(referenceLit_.x * factor, static_cast<float>(referenceLit_.y),
                             referenceLit_.width * factor, static_cast<float>(referenceLit_.height));
        outline_ = FindScreenOutline(referenceWhite_, referenceBlack_, camera_, screen, lit);
    }
    const bool refined = posePoints_.count >= minCorners_ &&
                         FitLensAndPose(posePoints_, LensFit::FocalAndRadial, lens, pose, &outline_);
    corners = original;
    if (refined) camera_.SetIntrinsics(lens);
    return refined;
}

ScreenMapping::LensAndAspect ScreenMapping::CurrentLensAndAspect() const {
    return {camera_.Profile(), geometry_.displayAspectWidth, geometry_.displayAspectHeight,
            principalPoint_};
}

void ScreenMapping::SetScreenReferences(const cv::Mat& white, const cv::Mat& black,
                                        const cv::Rect& lit) {
    white.copyTo(referenceWhite_);
    black.copyTo(referenceBlack_);
    referenceLit_ = lit;
}

FitResult ScreenMapping::EvaluateChessboard(CornerBuffer& corners, int reportedCount) {
    outline_ = OutlinePoints{};
    const FitResult result = EvaluateBoard(corners, reportedCount);
    // The references belong to one run: a later evaluation (manual dots) must not trust them.
    referenceWhite_.release();
    referenceBlack_.release();
    return result;
}

FitResult ScreenMapping::EvaluateBoard(CornerBuffer& corners, int reportedCount) {
    figures_ = AccuracyFigures{};
    figures_.grade = AccuracyGrade::Failed;
    failure_ = AlignmentFailure::TooFewCorners;
    if (reportedCount < minCorners_) return FitResult::Failed;

    refining_ = true;
    fittedPoses_.Clear();
    const CornerBuffer original = corners;
    ChooseProfile(corners, original);
    RunSearches(corners, original);
    const LensAndAspect profileLens = CurrentLensAndAspect();
    // The searches above made up for a lens the profile gets wrong as well as they could, the
    // principal point most of all. The refined lens starts again from the profile's own centre,
    // which one view of a flat board can hardly tell better, and the aspect is searched again.
    bool refined = false;
    if (selectedProfile_ >= 0)
        SetPrincipalPoint(profiles_[selectedProfile_].cx, profiles_[selectedProfile_].cy);
    for (int round = 0; round < kRefinementRounds && RefineLensOnBoard(corners, original); ++round) {
        SearchAspect(corners, original);
        refined = true;
    }
    if (refined) refined = RefineLensOnBoard(corners, original);
    principalPoint_ = {camera_.Profile().cx, camera_.Profile().cy};
    if (!refined) Apply(profileLens);
    corners = original;
    errors_.fill({0.0f, 0.0f});
    refining_ = false;

    FitResult result = FitAndGrade(corners);
    if (result == FitResult::Fitted && figures_.badCorners > 0) {
        result = FitAndGrade(corners);
        if (result == FitResult::Failed) {
            failure_ = AlignmentFailure::Bad;
            return FitResult::Failed;
        }
    }
    if (IsUsableGrade(figures_.grade)) {
        ChooseLensOnHeldOutCorners(corners, refined, profileLens);
        if (IsUsableGrade(figures_.grade)) return FitResult::Fitted;
    }
    if (figures_.grade == AccuracyGrade::Bad) failure_ = AlignmentFailure::Bad;
    else if (failure_ != AlignmentFailure::TooFewCorners) failure_ = AlignmentFailure::Unknown;
    return FitResult::Failed;
}

void ScreenMapping::Apply(const LensAndAspect& state) {
    camera_.SetIntrinsics(state.lens);
    geometry_.SetAspect(state.aspectWidth, state.aspectHeight);
    principalPoint_ = state.principalPoint;
    if (aspectDetection_ && saveAspect_) saveAspect_(state.aspectWidth, state.aspectHeight);
}

PosePoints ScreenMapping::PosePointsAt(const CornerBuffer& corners, float factor) const {
    PosePoints points;
    const int columns = pattern_.Columns();
    const int n = std::min(BoardCorners(), CornerBuffer::kCapacity);
    for (int i = 0; i < n && points.count < PosePoints::kCapacity; ++i) {
        const cv::Point2f corner = corners.points[i];
        if (!IsValidCorner(corner)) continue;
        const POINT drawn = pattern_.CornerPosition(i % columns + 1, i / columns + 1);
        points.imagePoints[points.count] = corner;
        points.objectPoints[points.count++] = {drawn.x * factor, static_cast<float>(drawn.y), 0.0f};
    }
    return points;
}

void ScreenMapping::ChooseLensOnHeldOutCorners(CornerBuffer& corners, bool refined,
                                               const LensAndAspect& profileLens) {
    const LensAndAspect current = CurrentLensAndAspect();
    HeldOutErrors refinedErrors, profileErrors;
    const bool refinedMeasured =
        refined && MeasureHeldOutErrors(PosePointsAt(corners, geometry_.Factor()), current.lens,
                                        LensFit::FocalAndRadial, geometry_.Factor(), refinedErrors,
                                        &outline_);
    DisplayGeometry profileGeometry = geometry_;
    profileGeometry.SetAspect(profileLens.aspectWidth, profileLens.aspectHeight);
    const float profileFactor = profileGeometry.Factor();
    const bool profileMeasured =
        MeasureHeldOutErrors(PosePointsAt(corners, profileFactor), profileLens.lens,
                             LensFit::PoseOnly, profileFactor, profileErrors);
    if (refinedMeasured &&
        (!profileMeasured || refinedErrors.MeanDistance() < profileErrors.MeanDistance())) {
        lensRefined_ = true;
        ReportErrors(refinedErrors);
        return;
    }
    if (refined) {
        // The profile's lens did better on corners it never saw: back to it.
        Apply(profileLens);
        const AccuracyFigures marks = figures_;
        FitAndGrade(corners);
        figures_.lostCorners = marks.lostCorners;
        figures_.badCorners = marks.badCorners;
    }
    if (profileMeasured) ReportErrors(profileErrors);
}

void ScreenMapping::ReportErrors(const HeldOutErrors& heldOut) {
    double sumX = 0.0, sumY = 0.0;
    figures_.maxErrorX = figures_.maxErrorY = 0.0f;
    for (int k = 0; k < heldOut.count; ++k) {
        const cv::Point2f e = heldOut.errors[k];
        errors_[poseCornerIndex_[k]] = e;
        figures_.maxErrorX = std::max(figures_.maxErrorX, e.x);
        figures_.maxErrorY = std::max(figures_.maxErrorY, e.y);
        sumX += e.x;
        sumY += e.y;
    }
    figures_.averageErrorX = static_cast<float>(sumX / heldOut.count);
    figures_.averageErrorY = static_cast<float>(sumY / heldOut.count);
    figures_.grade = GradeForAverageErrors(figures_.averageErrorX, figures_.averageErrorY);
}

FitResult ScreenMapping::RestoreAlignment(AlignmentRecord& record) {
    const int count = record.posePoints.count;
    if (count < 6 || count > PosePoints::kCapacity) return FitResult::Failed;
    if (record.principalPointX > 0.0f && record.principalPointY > 0.0f)
        SetPrincipalPoint(record.principalPointX, record.principalPointY);
    SelectOffsetPairByPointCount(count);
    if (record.refinedLens.fx > 0.0f && record.refinedLens.fy > 0.0f) {
        DetectorProfile lens = camera_.Profile();
        lens.fx = record.refinedLens.fx;
        lens.fy = record.refinedLens.fy;
        lens.k1 = record.refinedLens.k1;
        lens.k2 = record.refinedLens.k2;
        camera_.SetIntrinsics(lens);
        lensRefined_ = true;
    }
    const float scaleX = record.alignedDesktopWidth > 0
                             ? static_cast<float>(geometry_.desktopWidth) / record.alignedDesktopWidth
                             : 1.0f;
    const float scaleY = record.alignedDesktopHeight > 0
                             ? static_cast<float>(geometry_.desktopHeight) / record.alignedDesktopHeight
                             : 1.0f;
    PosePoints points = record.posePoints;
    for (int i = 0; i < count; ++i) {
        cv::Point3f& p = points.objectPoints[i];
        p = {p.x * scaleX * geometry_.Factor(), p.y * scaleY, 0.0f};
    }
    if (!FindExtrinsic(camera_, points)) return FitResult::Failed;
    record.pose = camera_.Pose();
    recordPoints_ = record.posePoints;
    return FitResult::Fitted;
}

void ScreenMapping::StoreAlignment(AlignmentRecord& record) {
    record.accuracy = figures_;
    record.posePoints = recordPoints_;
    record.pose = camera_.Pose();
    record.principalPointX = camera_.Profile().cx;
    record.principalPointY = camera_.Profile().cy;
    geometry_.alignedDesktopWidth = geometry_.desktopWidth;
    geometry_.alignedDesktopHeight = geometry_.desktopHeight;
    record.alignedDesktopWidth = geometry_.desktopWidth;
    record.alignedDesktopHeight = geometry_.desktopHeight;
    record.displayAspectWidth = geometry_.displayAspectWidth;
    record.displayAspectHeight = geometry_.displayAspectHeight;
    record.profileIndex = selectedProfile_;
    const DetectorProfile& lens = camera_.Profile();
    record.refinedLens = lensRefined_ ? RefinedLens{lens.fx, lens.fy, lens.k1, lens.k2}
                                      : RefinedLens{};
}
