// Auto alignment steps 2, 5 and 6: the lit screen, the references and the board, and which
// way round the sensor sees the board.
#include "controller/auto_alignment_run.h"

#include "alignment/corner_order.h"
#include "imaging/frame_operations.h"
#include "imaging/plane_operations.h"

namespace {

// Frames the board search may fail before the corners are collected one by one.
constexpr int kBoardFrames = 4;
// Frames the quadrant search may wait for a plausible small board.
constexpr int kQuadrantFrames = 6;
constexpr int kQuadrantRoom = 9;
constexpr int kQuadrantsShown = 4;

}  // namespace

StepResult AutoAlignmentRun::ScreenAreaStep() {
    const int channel = state_.channel;
    if (pattern_.Kind() == kPatternWhite) {
        ExtractChannel(images_.frame, images_.snapshots[0], channel, images_.FullRect());
        if (const std::optional<int> exposure = NextWhiteExposure()) {
            services_.SettleOnGain(*exposure);
            return StepResult::KeepGoing;
        }
        AdvancePattern();
        return StepResult::KeepGoing;
    }
    ExtractChannel(images_.frame, images_.snapshots[1], channel, images_.FullRect());
    images_.detectionArea = FindLitScreen(images_.snapshots[0], images_.snapshots[1],
                                          images_.workPlane, images_.detectionArea);
    // Later steps cut these down to the detection area; the lens fit wants the screen's whole edge,
    // and where on the desktop the white was.
    mapping_.SetScreenReferences(images_.snapshots[0], images_.snapshots[1],
                                 services_.PatternArea());
    step_ = 3;
    ShowPattern(kPatternChessboard);
    services_.ShortSettle();
    return StepResult::KeepGoing;
}

std::optional<int> AutoAlignmentRun::NextWhiteExposure() {
    // Only exposure scales the light: brightness shifts every level alike and crushes the black
    // before it frees a clipped white.
    if (!sensor_.IsExposureGain()) return std::nullopt;
    return state_.whiteExposure.Next(MeasureWhiteScreen(images_.snapshots[0]));
}

void AutoAlignmentRun::AdvancePattern() {
    pattern_.Advance();
    ShowPattern(pattern_.Kind(), pattern_.Level());
    services_.ShortSettle();
}

StepResult AutoAlignmentRun::ReferencesStep() {
    const int kind = pattern_.Kind();
    if (kind == kPatternWhite || kind == kPatternBlack) {
        cv::Mat& reference = images_.snapshots[kind == kPatternWhite ? 0 : 1];
        FillPlane(reference, 0);
        ExtractChannel(images_.frame, reference, state_.channel, images_.detectionArea);
        if (kind == kPatternWhite) {
            AdvancePattern();
        } else {
            state_.referencesTaken = true;
            ShowPattern(kPatternChessboard);
            services_.ShortSettle();
        }
        return StepResult::KeepGoing;
    }

    ++state_.chessboardAttempts;
    const int columns = pattern_.Columns();
    const int rows = pattern_.Rows();
    const int found =
        DetectBetweenReferences(Images(), columns, rows, state_.corners, state_.foundLevel);
    if (found == kBoardCorners && CornerOrderIsValid(state_.corners, columns, rows)) {
        state_.savedCorners = state_.corners;
        state_.stepCorners = CornerBuffer{};
        state_.retryCount = 0;
        state_.quadrantTries = 0;
        pattern_.SetQuadrantStyle(QuadrantStyle());
        step_ = 6;
        ShowPattern(kPatternQuadrantFirst);
        services_.ShortSettle();
        return StepResult::KeepGoing;
    }
    if (++state_.retryCount >= kBoardFrames) BeginCornerByCorner();
    return StepResult::KeepGoing;
}

int AutoAlignmentRun::QuadrantStyle() const {
    return parameters_.misc.findFlip != 0 ? 1 : 0;
}

StepResult AutoAlignmentRun::OrientationStep() {
    const int columns = pattern_.Columns();
    const int rows = pattern_.Rows();
    const int drawn = pattern_.Kind() - kPatternQuadrantFirst;
    int seen = -1;
    if (QuadrantStyle() == 1) {
        PixelRect lit;
        const int sensorQuadrant = BrightestQuadrant(Images(), state_.foundLevel, lit);
        // The board's own corners inside the lit part say which quadrant of the board it is,
        // whichever order the finder reported the corners in.
        seen = QuadrantOfCornersInside(state_.savedCorners, lit, columns, rows);
        if (seen < 0) seen = sensorQuadrant;
    } else {
        CornerBuffer found;
        const int count = FindQuadrantCorners(Images(), columns, rows, found);
        const bool implausible = count < 2 || count >= kQuadrantRoom;
        if (implausible && ++state_.retryCount < kQuadrantFrames) return StepResult::KeepGoing;
        seen = VoteQuadrant(found, state_.savedCorners, columns, rows);
        if (seen < 0) {
            state_.retryCount = 0;
            if (++state_.quadrantTries >= kQuadrantsShown) {
                BeginCornerByCorner();
            } else {
                AdvancePattern();
            }
            return StepResult::KeepGoing;
        }
    }

    state_.corners = state_.savedCorners;
    OrientCorners(state_.corners, columns, rows, drawn, seen);
    state_.orderedCorners = state_.corners;
    state_.retryCount = 0;
    if (EvaluateBoard(state_.corners, kBoardCorners) == StepResult::Succeeded) return StepResult::Succeeded;
    BeginCornerByCorner();
    return StepResult::KeepGoing;
}
