#pragma once
// Auto alignment's per-frame work over its seven steps: the sensor preview until the trigger,
// the lit screen, a brightness sweep until the board shows, the references and the board, which
// way round the sensor sees it, and, when the whole board cannot be used, its corners one by
// one. The run owns what it keeps between frames; the step lives in the ModeRecord so the rest
// of the program can tell how far it got. It needs no window: what it cannot do itself goes
// through AutoAlignmentServices. A step that changes the picture or a sensor property waits
// through the settle wait before the next frame is looked at.
#include "alignment/board_detection.h"
#include "alignment/pattern_screen.h"
#include "alignment/screen_mapping.h"
#include "capture/sensor_properties.h"
#include "controller/alignment_run_services.h"
#include "controller/auto_alignment_state.h"
#include "controller/mode.h"
#include "imaging/frame_images.h"
#include "settings/core_parameter_record.h"

#include <cstdint>
#include <optional>

#include <opencv2/core.hpp>

class AutoAlignmentServices : public virtual AlignmentRunServices {
public:
    // The alignment row of the current gain level.
    virtual const ImagingParameters& AlignmentRow() const = 0;
    // Sets the swept property (brightness, or exposure when exposure is what moves the picture)
    // and starts the wait for it to settle.
    virtual void SettleOnGain(int value) = 0;
    // The few frames' wait after a pattern change.
    virtual void ShortSettle() = 0;
    // The pattern changed: the screen is to show it.
    virtual void PatternChanged() = 0;
    // Where on the desktop the patterns are painted; empty when nowhere.
    virtual cv::Rect PatternArea() const = 0;
};

class AutoAlignmentRun {
public:
    AutoAlignmentRun(int32_t& step, FrameImages& images, ScreenMapping& mapping,
                     PatternScreen& pattern, const SensorProperties& sensor,
                     const CoreParameterRecord& parameters, AutoAlignmentServices& services)
        : step_(step),
          images_(images),
          mapping_(mapping),
          pattern_(pattern),
          sensor_(sensor),
          parameters_(parameters),
          services_(services) {}

    // Step 1 with nothing found: the chessboard shown, the detection area inside the frame's
    // border, the lens offsets of the whole board, the first alignment row settling.
    void Start();
    // The user's press in step 1: white is shown at the gain level's row.
    void Trigger();
    // One frame's work (the frame is bound to the images).
    StepResult Step();

    const AutoAlignmentState& State() const { return state_; }
    // Why the run failed, once Step returned Failed.
    AlignmentFailure Failure() const { return failure_; }

private:
    StepResult ScreenAreaStep();
    StepResult BrightnessStep();
    StepResult ReferencesStep();
    StepResult OrientationStep();
    StepResult CornerByCornerStep();
    void BeginCornerByCorner();
    void ShowPattern(int kind, int level = PatternScreen::kDefaultLevel);
    void AdvancePattern();
    int QuadrantStyle() const;
    const PropertyRecord& SweptProperty() const;
    std::optional<int> NextWhiteExposure();
    DetectionImages Images();
    // The bound frame into the preview, with the detection area and the given corners marked.
    void CapturePreview(const CornerBuffer* corners);
    StepResult EvaluateBoard(CornerBuffer& corners, int reportedCount);
    StepResult Fail(AlignmentFailure failure);

    int32_t& step_;
    FrameImages& images_;
    ScreenMapping& mapping_;
    PatternScreen& pattern_;
    const SensorProperties& sensor_;
    const CoreParameterRecord& parameters_;
    AutoAlignmentServices& services_;
    AutoAlignmentState state_;
    AlignmentFailure failure_ = AlignmentFailure::Unknown;
};
