// Auto alignment steps 2, 5 and 6: the lit screen, the references and the board, and which
// way round the sensor sees the board.
#include "controller/controller.h"

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

// The window's client area in desktop pixels, where the patterns are painted; empty without one.
cv::Rect ClientAreaOnDesktop(HWND window) {
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin)) return {};
    return {origin.x, origin.y, client.right, client.bottom};
}

}  // namespace

StepResult Controller::AlignScreenAreaStep() {
    const int channel = autoAlignment_.channel;
    if (model_.pattern.Kind() == kPatternWhite) {
        ExtractChannel(frameImages_.frame, frameImages_.snapshots[0], channel,
                       frameImages_.FullRect());
        AdvancePattern();
        return StepResult::KeepGoing;
    }
    ExtractChannel(frameImages_.frame, frameImages_.snapshots[1], channel, frameImages_.FullRect());
    frameImages_.detectionArea = FindLitScreen(frameImages_.snapshots[0], frameImages_.snapshots[1],
                                               frameImages_.workPlane, frameImages_.detectionArea);
    // Later steps cut these down to the detection area; the lens fit wants the screen's whole edge,
    // and where on the desktop the white was: the window's client area, below its menu bar.
    model_.mapping.SetScreenReferences(frameImages_.snapshots[0], frameImages_.snapshots[1],
                                 ClientAreaOnDesktop(mainWindow_));
    modes_.autoAlignmentStep = 3;
    ShowPattern(kPatternChessboard);
    StartShortSettle();
    return StepResult::KeepGoing;
}

void Controller::AdvancePattern() {
    model_.pattern.Advance();
    ShowPattern(model_.pattern.Kind(), model_.pattern.Level());
    StartShortSettle();
}

StepResult Controller::AlignReferencesStep() {
    AutoAlignmentState& state = autoAlignment_;
    const int kind = model_.pattern.Kind();
    if (kind == kPatternWhite || kind == kPatternBlack) {
        cv::Mat& reference = frameImages_.snapshots[kind == kPatternWhite ? 0 : 1];
        FillPlane(reference, 0);
        ExtractChannel(frameImages_.frame, reference, state.channel, frameImages_.detectionArea);
        if (kind == kPatternWhite) {
            AdvancePattern();
        } else {
            state.referencesTaken = true;
            ShowPattern(kPatternChessboard);
            StartShortSettle();
        }
        return StepResult::KeepGoing;
    }

    ++state.chessboardAttempts;
    const int columns = model_.pattern.Columns();
    const int rows = model_.pattern.Rows();
    const int found =
        DetectBetweenReferences(AlignmentImages(), columns, rows, state.corners, state.foundLevel);
    if (found == kBoardCorners && CornerOrderIsValid(state.corners, columns, rows)) {
        state.savedCorners = state.corners;
        state.stepCorners = CornerBuffer{};
        state.retryCount = 0;
        state.quadrantTries = 0;
        model_.pattern.SetQuadrantStyle(QuadrantStyle());
        modes_.autoAlignmentStep = 6;
        ShowPattern(kPatternQuadrantFirst);
        StartShortSettle();
        return StepResult::KeepGoing;
    }
    if (++state.retryCount >= kBoardFrames) BeginCornerByCorner();
    return StepResult::KeepGoing;
}

int Controller::QuadrantStyle() const {
    return records_.coreParameters.misc.findFlip != 0 ? 1 : 0;
}

StepResult Controller::AlignOrientationStep() {
    AutoAlignmentState& state = autoAlignment_;
    const int columns = model_.pattern.Columns();
    const int rows = model_.pattern.Rows();
    const int drawn = model_.pattern.Kind() - kPatternQuadrantFirst;
    int seen = -1;
    if (QuadrantStyle() == 1) {
        PixelRect lit;
        const int sensorQuadrant = BrightestQuadrant(AlignmentImages(), state.foundLevel, lit);
        // The board's own corners inside the lit part say which quadrant of the board it is,
        // whichever order the finder reported the corners in.
        seen = QuadrantOfCornersInside(state.savedCorners, lit, columns, rows);
        if (seen < 0) seen = sensorQuadrant;
    } else {
        CornerBuffer found;
        const int count = FindQuadrantCorners(AlignmentImages(), columns, rows, found);
        const bool implausible = count < 2 || count >= kQuadrantRoom;
        if (implausible && ++state.retryCount < kQuadrantFrames) return StepResult::KeepGoing;
        seen = VoteQuadrant(found, state.savedCorners, columns, rows);
        if (seen < 0) {
            state.retryCount = 0;
            if (++state.quadrantTries >= kQuadrantsShown) {
                BeginCornerByCorner();
            } else {
                AdvancePattern();
            }
            return StepResult::KeepGoing;
        }
    }

    state.corners = state.savedCorners;
    OrientCorners(state.corners, columns, rows, drawn, seen);
    state.orderedCorners = state.corners;
    state.retryCount = 0;
    if (EvaluateAlignmentBoard(state.corners, kBoardCorners) == StepResult::Succeeded) return StepResult::Succeeded;
    BeginCornerByCorner();
    return StepResult::KeepGoing;
}
