#pragma once
// Gain finding: the sensor is set to the track gain level's imaging row, the brightest value of
// every screen pixel is recorded over a run of frames and becomes the threshold a pen must beat.
#include "alignment/coverage_ring.h"
#include "capture/sensor_properties.h"
#include "controller/mode.h"
#include "controller/settle_wait.h"
#include "imaging/frame_images.h"
#include "settings/core_parameter_record.h"
#include "tracking/brightness_recorder.h"
#include "tracking/gain_evaluation.h"
#include "tracking/sensor_to_desktop.h"

#include <functional>

class GainRun {
public:
    // The track gain level's imaging row, read each time it is needed: the level may change
    // while a run goes on.
    using RowSource = std::function<const ImagingParameters&()>;

    GainRun(SensorProperties& sensor, SettleWait& settle, const CoreParameterRecord& parameters,
            RowSource trackRow, SensorToDesktopFunction toDesktop);

    // A new run over the screen inside `ring`, on a desktop of the given size.
    void Start(const CoverageRing& ring, int screenWidth, int screenHeight);
    // One frame's work: Succeeded or Failed once the recorded brightness is judged (the
    // verdict tells why), else KeepGoing.
    StepResult Step(FrameImages& images);
    bool Found() const { return phase_ == Phase::Found; }
    const GainVerdict& Verdict() const { return verdict_; }

private:
    enum class Phase { NotStarted, SetGain, ClearRecord, Record, Found };

    // First the gain goes to its minimum, then the whole row is applied; each settles.
    StepResult SetGain();
    StepResult Evaluate(FrameImages& images);

    SensorProperties& sensor_;
    SettleWait& settle_;
    const CoreParameterRecord& parameters_;
    RowSource trackRow_;
    SensorToDesktopFunction toDesktop_;
    Phase phase_ = Phase::NotStarted;
    bool gainAtMinimum_ = false;
    BrightnessRecorder brightness_;
    CoverageRing ring_{};
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    GainVerdict verdict_;
};
