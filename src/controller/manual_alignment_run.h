#pragma once
// Manual alignment's per-frame work: when the sensor cannot see the chessboard the user touches
// nine dots with the lit pen, and the sensor positions of the pen become a board of nine
// corners. The run owns the dots and the spot search; the step lives in the ModeRecord so the
// rest of the program can tell how far it got. It needs no window: what it cannot do itself
// goes through ManualAlignmentServices.
#include "alignment/dot_set.h"
#include "alignment/screen_mapping.h"
#include "controller/alignment_run_services.h"
#include "controller/mode.h"
#include "imaging/frame_images.h"
#include "settings/core_parameter_record.h"
#include "tracking/blocking_counter.h"
#include "tracking/brightness_recorder.h"
#include "tracking/spot_finder.h"
#include "tracking/spot_record.h"
#include "tracking/spot_detection.h"

#include <atomic>
#include <cstdint>
#include <optional>

#include <opencv2/core.hpp>

class ManualAlignmentServices : public virtual AlignmentRunServices {
public:
    // The row of the track gain level, and the spot rules of tracking.
    virtual const ImagingParameters& TrackingRow() const = 0;
    virtual SpotParameters TrackingSpot() const = 0;
    // The dots or their status changed.
    virtual void DotsChanged() = 0;
    // The empty screen is learnt: the white light goes and the dots are about to be shown.
    virtual void DotInputBegins() = 0;
    // Hands TakeQuestion's message or question to the user; the frames are held until then.
    virtual void AskUser() = 0;
    // Why the run failed, told to the user after it ends.
    virtual void ReportFailure(AlignmentFailure reason) = 0;
};

// Steps of the manual alignment, as kept in the ModeRecord.
enum ManualStep : int {
    kManualPreview = 1,             // sensor picture until the user starts
    kManualTrackingProperties = 2,  // picture controls of the track gain level
    kManualClearBackground = 3,
    kManualThreshold = 4,           // screen brightness over 20 frames
    kManualInput = 5,               // the pen on the nine dots
    kManualFinish = 6,              // evaluation of the dots
    kManualHotSpotCheck = 7,        // Ctrl+Z: is there a light that is not the pen?
};

// Fits the mapping to the nine dots taken as a board. Empty when the fit is accepted (the
// mapping then holds it), else why not.
std::optional<AlignmentFailure> FitManualDots(const DotSet& dots, ScreenMapping& mapping);

// What a press of the trigger did.
enum class ManualTrigger { Ignored, CaptureStarts, DotSkipped, UserAsked };

class ManualAlignmentRun {
public:
    ManualAlignmentRun(int32_t& step, FrameImages& images, ScreenMapping& mapping,
                       ManualAlignmentServices& services)
        : step_(step), images_(images), mapping_(mapping), services_(services) {}

    // Back to the preview with no dot input: the detection area inside the frame's border,
    // the lens offsets of nine points.
    void Reset();
    // One frame's work (the frame is bound to the images).
    StepResult Step();
    // The user's press: in the preview it starts the capture of the empty screen, in the dot
    // input it skips the target dot as lost.
    ManualTrigger Trigger();
    // Ctrl+Z: in the dot input, starts looking for a light that is not the pen; false elsewhere.
    bool StartHotSpotCheck();
    // The message or question the run asked for (0 when none), cleared by taking it.
    int TakeQuestion() { return question_.exchange(0); }
    // Moves on after a question was answered.
    void ContinueAt(ManualStep step) { step_ = step; }

    const DotSet& Dots() const { return dots_; }
    // The pen spot has stayed put on a recorded dot: the picture shows a warning.
    bool ShowsDoubleInputWarning() const { return watch_.ShowsDoubleInputWarning(); }

private:
    StepResult PreviewStep();
    StepResult TrackingPropertiesStep();
    StepResult ThresholdStep();
    StepResult InputStep();
    StepResult FinishStep();
    StepResult HotSpotStep();
    // The pen spot of the bound frame: the centre of the first region brighter than the
    // learnt threshold inside the detection area.
    bool FindSpot(cv::Point2f& spot);
    // Stores an input (or a loss, for an invalid point) for the target dot and moves on.
    DotRecordOutcome RecordDot(cv::Point2f point);
    void Ask(int messageId);

    int32_t& step_;
    FrameImages& images_;
    ScreenMapping& mapping_;
    ManualAlignmentServices& services_;
    DotSet dots_;
    DotInputWatch watch_;
    SpotFinder finder_;
    SpotRecord spot_;
    SpotRecord previousSpot_;
    BlockingCounter blocking_;
    BrightnessRecorder recorder_;
    // Frames of the Ctrl+Z check seen without any light.
    int hotSpotCheckFrames_ = 0;
    // Set when the dot input begins: its first frame only repaints.
    bool justEntered_ = false;
    // Written on the frame thread, taken on the UI thread after the step ended.
    std::atomic<int> question_{0};
};
