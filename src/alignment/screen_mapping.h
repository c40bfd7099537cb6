#pragma once
// Turns a set of found corners (or manual dots) into the mapping from sensor pixels to desktop
// pixels: lens profile choice, display-aspect and principal-point refinement, the pose fit, the
// accuracy figures and their grade, and keeping and re-applying the result.
#include <opencv2/core/types.hpp>

#include <array>
#include <functional>

#include "alignment/camera_model.h"
#include "alignment/display_geometry.h"
#include "alignment/fitted_poses.h"
#include "alignment/lens_refinement.h"
#include "settings/pattern_points.h"
#include "alignment/pattern_screen.h"
#include "alignment/screen_outline.h"
#include "settings/alignment_record.h"

// Per corner the absolute desktop error (x, y); (-999, -999) for a lost corner.
using CornerErrorTable = std::array<cv::Point2f, 35>;

// Good below 6 desktop pixels of average error on both axes, coarse below 15, bad otherwise.
AccuracyGrade GradeForAverageErrors(float averageX, float averageY);

// Why a fit or an evaluation did not give a usable mapping (Coarse: usable, but only just).
enum class AlignmentFailure { TooFewCorners, Unknown, Bad, Coarse };

enum class FitResult { Fitted, Failed };

class ScreenMapping {
public:
    static constexpr int kMaxProfiles = 5;

    ScreenMapping(CameraModel& camera, DisplayGeometry& geometry, const PatternScreen& pattern);

    // Lens profiles as read from the detector file; none is selected afterwards.
    void SetProfiles(const DetectorProfile* profiles, int count);
    int ProfileCount() const { return profileCount_; }
    int SelectedProfile() const { return selectedProfile_; }
    // Selects profile i into the camera (a profile with a zero A..D is remembered, not applied),
    // with the distortion of the point count chosen last.
    bool SelectProfile(int index);
    // More than 9 points: full distortion and the first pointer offset; 6 to 9: p2 = 0 and the
    // second pointer offset. Holds for the profiles selected later too, so the lens a fit is
    // graded with is the lens the mapping keeps.
    void SelectOffsetPairByPointCount(int points);
    cv::Point2f PointerOffset() const;

    void SetMinCorners(int count) { minCorners_ = count; }
    void SetWeightingMode(int mode) { weightingMode_ = mode; }
    void SetManualAlignment(bool manual) { manualAlignment_ = manual; }
    // Automatic display-aspect detection; with it off the stored aspect is used as it is.
    void SetAspectDetection(bool on) { aspectDetection_ = on; }
    // Called with the display aspect that the evaluation settled on, to keep it.
    void SetAspectSaver(std::function<void(float, float)> saver) { saveAspect_ = std::move(saver); }

    cv::Point2f SensorToDesktop(float u, float v) const;

    // Fits the pose to the valid corners and grades it; Failure() tells why it failed, and
    // for a fitted Bad or Coarse grade what is wrong with it.
    FitResult FitAndGrade(CornerBuffer& corners);
    // The lit and the dark screen (1-channel) as the sensor saw them in this alignment run, and
    // the desktop rectangle the lit one was lit in; copies are kept for the next
    // EvaluateChessboard only, whose lens fit uses their outline.
    void SetScreenReferences(const cv::Mat& white, const cv::Mat& black, const cv::Rect& lit);
    // Refines and fits a found board; Fitted when the grade is coarse or good. The figures it
    // leaves are errors on corners held out of the fit.
    FitResult EvaluateChessboard(CornerBuffer& corners, int reportedCount);
    // Refits the pose from a stored record on the present desktop.
    FitResult RestoreAlignment(AlignmentRecord& record);
    // Writes the current mapping into the record (the caller saves the file).
    void StoreAlignment(AlignmentRecord& record);

    // Accuracy of the current mapping against the drawn board; outside refinement a corner off
    // by 15 desktop pixels or more is marked bad (negated) so that the next fit leaves it out.
    void MeasureAccuracy(CornerBuffer& corners);

    const AccuracyFigures& Figures() const { return figures_; }
    AlignmentFailure Failure() const { return failure_; }
    const CornerErrorTable& Errors() const { return errors_; }

private:
    // The pose for the current lens and aspect; while refining, a trial fitted before is not
    // fitted again.
    bool FitPose();
    double TrialError(CornerBuffer& corners, const CornerBuffer& original);
    void ChooseProfile(CornerBuffer& corners, const CornerBuffer& original);
    void SearchAspect(CornerBuffer& corners, const CornerBuffer& original);
    void SearchPrincipalPoint(CornerBuffer& corners, const CornerBuffer& original, float step);
    void SetPrincipalPoint(float cx, float cy);
    // The lens, its principal point and the display aspect one refinement settled on.
    struct LensAndAspect {
        DetectorProfile lens;
        float aspectWidth;
        float aspectHeight;
        cv::Point2f principalPoint;
    };
    static constexpr int kRefinementRounds = 2;
    // The aspect and principal-point passes, once per weighting mode.
    void RunSearches(CornerBuffer& corners, const CornerBuffer& original);
    FitResult EvaluateBoard(CornerBuffer& corners, int reportedCount);
    // Fits focal length and k1 (and k2 with the screen's outline) with the pose to the board
    // (in-sample) and takes them into the camera; false when the fit fails.
    bool RefineLensOnBoard(CornerBuffer& corners, const CornerBuffer& original);
    LensAndAspect CurrentLensAndAspect() const;
    void Apply(const LensAndAspect& state);
    // The valid corners as pose pairs for plane factor `factor`.
    PosePoints PosePointsAt(const CornerBuffer& corners, float factor) const;
    // After the final fit: keeps the lens, refined or the profile's, that does better on corners
    // held out of the fit, and reports those held-out errors.
    void ChooseLensOnHeldOutCorners(CornerBuffer& corners, bool refined,
                                    const LensAndAspect& profileLens);
    void ReportErrors(const HeldOutErrors& heldOut);
    // The selected profile's k1, k2, p1 and (with the first offset pair) p2 into the camera.
    void ApplyDistortion();
    int ValidCorners(const CornerBuffer& corners) const;
    int BoardCorners() const { return pattern_.Columns() * pattern_.Rows(); }

    CameraModel& camera_;
    DisplayGeometry& geometry_;
    const PatternScreen& pattern_;

    std::array<DetectorProfile, kMaxProfiles> profiles_{};
    int profileCount_ = 0;
    int selectedProfile_ = -1;
    bool secondOffsetPair_ = false;

    int minCorners_ = 17;
    int weightingMode_ = 0;
    bool manualAlignment_ = false;
    bool aspectDetection_ = true;
    bool refining_ = false;
    FittedPoses fittedPoses_;
    int activeWeighting_ = 0;
    std::function<void(float, float)> saveAspect_;

    AccuracyFigures figures_{};
    AlignmentFailure failure_ = AlignmentFailure::Unknown;
    CornerErrorTable errors_{};
    PosePoints posePoints_;
    PosePoints recordPoints_;  // the same points at aspect factor 1, as stored
    std::array<int, PosePoints::kCapacity> poseCornerIndex_{};  // corner of each pose point
    bool lensRefined_ = false;
    cv::Point2f principalPoint_{};
    cv::Mat referenceWhite_;
    cv::Mat referenceBlack_;
    cv::Rect referenceLit_;
    OutlinePoints outline_;  // found for the lens the last refinement started from
};
