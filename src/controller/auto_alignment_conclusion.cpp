// End of an alignment run, on the UI thread: the coverage question, the coarse notice and
// storing the alignment after a success (automatic or manual); the failure message and the
// choice between manual alignment and another automatic run after a failed automatic one.
#include "controller/controller.h"

#include "alignment/coverage_ring.h"
#include "controller/coverage_window.h"
#include "resources/resource_ids.h"
#include "ui/messages.h"

void Controller::ConcludeAutoAlignment(StepResult result) {
    if (result != StepResult::Succeeded) {
        ConcludeFailedAutoAlignment();
        return;
    }
    AcceptAlignment(Mode::AutoAlignment);
}

void Controller::AcceptAlignment(Mode mode) {
    status_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    status_.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    model_.geometry.SetDesktop(status_.screenWidth, status_.screenHeight);

    SensorViewOutline outline;
    if (CheckCoverage(outline)) {
        ShowPattern(kPatternChessboard);
        if (AskCoverageOverPicture(mainWindow_, outline)) {
            EnterMode(mode);
            return;
        }
    }
    if (model_.mapping.Figures().grade == AccuracyGrade::Coarse) {
        ShowPattern(kPatternChessboard);
        ShowAlignmentCoarse();
    }
    modes_.alignmentUsable = 1;
    modes_.gainFound = 0;
    StoreAlignment();
    EnterMode(Mode::FindGain);
}

void Controller::ConcludeFailedAutoAlignment() {
    ShowPattern(kPatternChessboard);
    // The run leaves no usable alignment behind, in memory; the file keeps the last good one.
    AccuracyFigures figures = model_.mapping.Figures();
    if (IsUsableGrade(figures.grade)) figures.grade = AccuracyGrade::Failed;
    records_.alignmentResult.accuracy = figures;

    const int id = handOff_.pendingMessage.exchange(0);
    const bool known = id == IDS_LOSING_CORNERS || id == IDS_ALIGNMENT_FAIL || id == IDS_ALIGNMENT_BAD;
    if (id == IDS_STEP_ERROR) {
        ShowStepError();
    } else {
        ShowAlignmentFailure(known ? static_cast<UINT>(id) : IDS_ALIGNMENT_FAIL);
    }
    EnterMode(AskManualOrAutoAlignment() == IDYES ? Mode::ManualAlignment : Mode::AutoAlignment);
}

bool Controller::CheckCoverage(SensorViewOutline& outline) const {
    const CoverageRing ring = BuildCoverageRing(model_.camera, model_.geometry, 0);
    if (!RingLeavesFrame(ring, model_.geometry)) return false;
    const std::array<POINT, 16> frame = SensorFrameOutline(model_.geometry);
    for (size_t i = 0; i < frame.size(); ++i) {
        const cv::Point2f desktop =
            SensorToDesktop(static_cast<float>(frame[i].x), static_cast<float>(frame[i].y));
        outline[i] = {static_cast<LONG>(desktop.x), static_cast<LONG>(desktop.y)};
    }
    return true;
}
