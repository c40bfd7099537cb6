#pragma once
// The one object that holds the program's working state: the Mode, the settings and
// calibration records, the sensor, the pointer output. Frames arrive on the sensor's thread
// (OnFrame); everything else runs on the UI thread, and the two meet in the step hand-off
// (step_hand_off.h). What a step leaves for the UI thread travels in posted AppNotify messages.
#include "alignment/board_detection.h"
#include "alignment/coverage_ring.h"
#include "alignment/dot_set.h"
#include "base/unique_handle.h"
#include "controller/auto_alignment_run.h"
#include "controller/coverage_window.h"
#include "controller/gain_run.h"
#include "controller/manual_alignment_run.h"
#include "capture/frame_sink.h"
#include "controller/alignment_model.h"
#include "controller/mode.h"
#include "controller/pending_format.h"
#include "controller/pointer_output.h"
#include "controller/sensor_side.h"
#include "controller/shown_texts.h"
#include "controller/status_layout.h"
#include "controller/step_hand_off.h"
#include "controller/stored_records.h"
#include "controller/tray_icon_slot.h"
#include "controller/settle_wait.h"
#include "controller/track_run.h"
#include "controller/tuning_panel.h"
#include "tracking/blocking_counter.h"
#include "tracking/brightness_recorder.h"
#include "alignment/desktop_mapping.h"
#include "imaging/frame_images.h"
#include "tracking/pen_tracking.h"
#include "tracking/spot_finder.h"
#include "tracking/spot_record.h"
#include "imaging/pixel_rect.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

inline constexpr int kSensorWidth = 320;
inline constexpr int kSensorHeight = 240;
inline constexpr COLORREF kWaitingBackground = RGB(200, 200, 200);

class Controller : public FrameSink,
                   private ManualAlignmentServices,
                   private AutoAlignmentServices {
public:
    // The records and the alignment belong to the owner, which keeps them past the Controller.
    Controller(StoredRecords& records, AlignmentModel& model);
    ~Controller() override;
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // FrameSink, on the frame thread (PrepareFrame on the thread that starts the sensor).
    void PrepareFrame(const BITMAPINFOHEADER& format) override;
    // Holds the frames and asks the UI thread to take the new layout (format_change.cpp).
    void ChangeFormat(const BITMAPINFOHEADER& format) override;
    void OnFrame(const BYTE* buffer) override;
    // AppNotify NotifyFormatChanged: the planes in the new layout, then gain finding again
    // (an alignment starts again; elsewhere the frames just go on).
    void OnFormatChanged();

    // Start-up, in the order the entry point calls them. The main window is attached once it
    // is made: the Mode pictures are painted into it, its messages carry the AppNotify codes
    // and it owns the Controller's windows and boxes.
    bool LoadCoreParameters(const wchar_t* languageCode);
    void AttachWindow(HWND main);
    bool Initialize();
    bool StartSensor();
    void Start();

    // The introduction, at the first start and by its menu command; Open shows the user guide.
    void RunIntroduction();

    // The notification-area icon, made by the first call once start-up is complete; true when
    // it is in place, which a system without a notification area counts as (the user is told
    // once).
    bool TrayIconInPlace();
    // TrayCallback: the shell's mouse messages on the icon.
    void OnTrayCallback(WPARAM iconId, LPARAM mouseMessage);
    // AppNotify NotifySlowSensor: the slow-sensor balloon on the tray icon.
    void ShowSlowSensorBalloon();

    // Mode changes, on the UI thread.
    void EnterMode(Mode requested);
    bool CanEnterMode(Mode target) const;
    bool IsBusy() const;
    // AppNotify NotifyStepEnded: shows what the ended step asked for and moves on.
    void OnStepEnded();

    // The main window's FrameTimer tick ends a timed settle wait.
    void OnTimer(UINT_PTR id);

    void OnTrigger(UINT message, bool fromKeyboard);
    // Track's screen-correction panel (Esc, arrows, Ctrl+E) and manual alignment's hot-spot
    // check (Ctrl+Z).
    void ShowTuningPanel(bool show);
    void AdjustTuning(WPARAM key);
    bool TuningPanelOpen() const;
    void SetPaused(bool on) { handOff_.SetPaused(on); }
    // True when the capture graph reports the sensor gone; the frames are then held and a
    // pressed button released, since no frame will come to lift the pen.
    bool TakeSensorLoss();
    void Shutdown();

    // ---- Manual alignment (manual_alignment.cpp, manual_dot_painting.cpp, manual_conclusions.cpp;
    // its per-frame work is ManualAlignmentRun's) ----
    // Ctrl+Z: in the dot input, looks for a light that is not the pen; elsewhere only beeps.
    void HotSpotCheck();
    // ---- end of manual alignment ----
    // The main window: title and tray tip, showing and minimising (through the tray when set).
    void UpdateTitle();
    void ShowMain();
    void MinimizeMain();
    void Repaint() const;
    // Prompts in the status rectangle: DrawPrompt centres the text from the rectangle's top;
    // ShowPrompt draws "<text>\n" in black, or with no text only clears the rectangle.
    void DrawPrompt(HDC dc, COLORREF colour, const wchar_t* text) const;
    void ShowPrompt(HDC dc, const wchar_t* text) const;
    const wchar_t* PromptText(Prompt prompt) const;
    const RECT& StatusRect() const { return status_.rect; }

    // Reactions to a new desktop size (WM_DISPLAYCHANGE), to the gain level dialog (40008) and
    // to the display aspect dialog (40010).
    void OnDisplayChange();
    // The main window's frame changed: the board and the status rectangle follow its size.
    void OnWindowFrameChanged();
    void OnGainSettingChanged();
    void OnAspectSettingChanged();

    bool WaitCursor() const { return handOff_.waitCursor; }

    Mode CurrentMode() const { return modes_.mode; }
    void SetPainting(bool on) { handOff_.SetPainting(on); }

    const wchar_t* LanguageCode() const { return texts_.languageCode; }
    const wchar_t* ModeText(Mode mode) const;
    const wchar_t* ProductName() const { return records_.coreParameters.productName; }
    OptionRecord& Options() { return records_.options; }
    CoreParameterRecord& CoreParameters() { return records_.coreParameters; }
    AlignmentRecord& AlignmentResult() { return records_.alignmentResult; }
    HWND GainOverlay() const { return gainOverlay_.Get(); }

    // ---- Gain finding and tracking (gain_step.cpp, gain_overlay.cpp, track_step.cpp) ----
    // The overlay's picture: white (black for pattern kind 2) with the gain prompt in the
    // colour of the tracked channel.
    void PaintGainOverlay(HDC dc, const RECT& client) const;
    // AppNotify NotifyScreenBlocking: "Screen is Blocking !!!" on the tray icon.
    void ShowBlockingBalloon();
    // ---- end of gain finding and tracking ----

    // Sensor pixel -> desktop pixel through the current alignment.
    cv::Point2f SensorToDesktop(float u, float v) const { return model_.mapping.SensorToDesktop(u, v); }
    const DisplayGeometry& Geometry() const { return model_.geometry; }
    const PatternScreen& Pattern() const { return model_.pattern; }

    // The main window's picture of the current Mode; `painting` is set for the whole call.
    void Paint(HDC dc);

    // ---- Auto alignment (auto_alignment*.cpp; its per-frame work is AutoAlignmentRun's) ----
    // Step 1: the sensor preview and the prompt; later steps: the pattern, in step 3 with the
    // sweep's corner preview.
    void PaintAutoAlignment(HDC dc, const RECT& client);
    // True when the screen's edge leaves the sensor's view; then the sensor frame's outline in
    // desktop pixels.
    bool CheckCoverage(SensorViewOutline& outline) const;

private:
    // AutoAlignmentServices (auto_alignment.cpp).
    const ImagingParameters& AlignmentRow() const override;
    void SettleOnGain(int value) override;
    void ShortSettle() override;
    void PatternChanged() override;
    cv::Rect PatternArea() const override;
    // Pattern changes are painted by the UI thread; the caller starts the wait it needs.
    void ShowPattern(int kind, int level = PatternScreen::kDefaultLevel);
    RECT AlignmentPreviewRect(const RECT& client) const;
    void ConcludeAutoAlignment(StepResult result);
    void ConcludeFailedAutoAlignment();
    // ---- end of auto alignment ----

    // Frame dispatch.
    StepResult RunModeStep(Mode mode);
    void OnFirstFrame();
    // In Track, a new frame-rate verdict is shown by the main window's paint code.
    void ReactToFrameRate(int verdict);
    void EndStep(Mode mode, StepResult result);
    // On the UI thread, after setting `paused` or `painting`: returns once no step runs.
    void WaitForFrameStep() { handOff_.WaitForStep(); }

    // Conclusions of ended steps, on the UI thread.
    void ConcludeStep(Mode mode, StepResult result);
    void ShowPendingMessage();
    // Settle waits let the sensor settle after its properties change: the Mode's settle time,
    // or a few frames after a pattern change (ShortSettle).
    void StartSettleWait();
    void StopSettleWait();

    // Per-Mode starts, steps and triggers.
    void StartAutoAlignment();
    void StartManualAlignment();
    void StartFindGain();
    void StartTracking();
    StepResult AutoAlignmentStep();
    StepResult FindGainStep();
    StepResult TrackStep();
    // Re-applies the stored alignment to the current desktop; StepResult::Succeeded when it fits.
    StepResult RestoreAlignment();
    void AutoAlignmentTrigger(UINT message);
    void ManualAlignmentTrigger(UINT message);

    // ---- Manual alignment ----
    // The Mode's picture: the start prompt, then the nine dots and the input status.
    void PaintManualAlignment(HDC dc, const RECT& client);
    // ManualAlignmentServices (manual_alignment.cpp); AskUser ends the step so the UI thread
    // asks, and the frames are held until it is answered.
    void SettleOn(const ImagingParameters& row) override;
    bool SettlingFrame() override;
    const ImagingParameters& TrackingRow() const override;
    SpotParameters TrackingSpot() const override;
    void PreviewChanged() override;
    void DotsChanged() override;
    void DotInputBegins() override;
    void AskUser() override;
    void ReportFailure(AlignmentFailure reason) override;
    // On the UI thread, after a step ended or asked.
    void ConcludeManualAlignment(StepResult result);
    void AnswerManualQuestion(int id);
    void ContinueManualAlignmentAt(ManualStep step);
    // An accepted alignment: coverage question, coarse warning, storing it, then gain finding.
    void AcceptAlignment(Mode mode);
    // The preview step's latest sensor picture, at its own size centred in the client area.
    RECT ManualPreviewRect(const RECT& client) const;
    void PaintManualPreview(HDC dc, const RECT& client) const;

    StoredRecords& records_;
    AlignmentModel& model_;
    // Binds only references here: the members it works on are declared further down.
    ManualAlignmentRun manualRun_{modes_.manualAlignmentStep, frameImages_, model_.mapping, *this};
    // ---- end of manual alignment ----
    // Stops the per-frame work for a change made on the UI thread; returns whether it was
    // stopped already, which ResumeFrames gives back (so the two nest).
    bool HoldFrames() { return handOff_.Hold(); }
    void ResumeFrames(bool wasHeld) { handOff_.Resume(wasHeld); }

    // Window side of a Mode change.
    // Raised (on the UI thread) while gain finding or the dot capture keeps the user waiting.
    void SetWaitCursor(bool on);
    void ParkPointer();
    void ReleaseHeldButton();
    void BringMainForward() const;
    bool CreateTrayIcon();
    // A tray icon exists and is in the notification area (tried once more when it is not).
    bool TrayPlaced();
    void TakeBoardOrientation();
    void LoadTexts();
    // The union of the status prompts' sizes, centred at the top of the screen.
    void MeasureStatusRect();

    // Mode pictures; the alignment Modes draw theirs in their own files.
    COLORREF Background() const;
    void PaintFindGain(HDC dc, const RECT& client);
    void PaintTrack(HDC dc, const RECT& client);
    // Track's last corner set and tuning panel, drawn over the Track picture.
    void PaintTrackOverlays(HDC dc, const RECT& client);
    // After a new desktop size: alignments start again; Idle, gain finding and tracking
    // re-apply the stored alignment, and the latter two find the gain again or ask for a new
    // alignment. True when a new Mode was requested.
    bool RealignAfterDisplayChange();
    // Posted (from either thread): the main window makes the change once it gets to it.
    void RequestMode(Mode mode);
    void ApplyDisplaySize(int width, int height);
    // Desktop geometry, board layout, lens profiles and screen correction; false after the
    // file message when a required file is missing.
    bool InitializeAlignment();
    // Writes the current mapping into the alignment result file.
    void StoreAlignment();
    // Both alignments: with automatic aspect detection off the user's display aspect is used
    // as it is, and the evaluation leaves it alone.
    void TakeAspectSetting();
    bool CreateGainOverlay();

    // ---- Gain finding and tracking ----
    const ImagingParameters& TrackGainRow() const;
    void ShowGainOverlay();
    // A message while tracking waits for the user: the frames are held and a pressed button is
    // released first, so no stroke goes on under it; the frames run again once it is answered
    // (unless they were held before).
    void ShowWithFramesHeld(void (*show)());
    // ---- end of gain finding and tracking ----

    HWND mainWindow_ = nullptr;
    ShownTexts texts_;
    StatusLayout status_;
    ModeRecord modes_;
    StepHandOff handOff_;
    // The main window's FrameTimer ends a timed settle wait.
    class FrameTimer final : public SettleWait::Timer {
    public:
        explicit FrameTimer(const HWND& window) : window_(window) {}
        bool OnOwnThread() const override;
        UINT_PTR Set(UINT milliseconds) override;
        void Kill(UINT_PTR id) override;

    private:
        const HWND& window_;
    };
    FrameTimer frameTimer_{mainWindow_};
    SettleWait settleWait_{frameTimer_};
    int gainLevel_ = 3;
    int trackGainLevel_ = 3;
    // The frame header is bound to the sample buffer only inside OnFrame.
    FrameImages frameImages_;
    PendingFormat pendingFormat_;

    TuningPanel tuningPanel_;
    SensorSide sensor_;
    PointerOutput pointer_;
    UniqueWindow gainOverlay_;
    TrayIconSlot tray_;
    bool shutDown_ = false;

    AutoAlignmentRun autoRun_{modes_.autoAlignmentStep, frameImages_, model_.mapping, model_.pattern,
                              sensor_.device.Properties(), records_.coreParameters, *this};

    // ---- Gain finding and tracking ----
    GainRun gainRun_{sensor_.device.Properties(), settleWait_, records_.coreParameters,
                     [this]() -> const ImagingParameters& { return TrackGainRow(); },
                     [this](float u, float v) { return model_.mapping.SensorToDesktop(u, v); }};
    TrackRun trackRun_{pointer_.input, [this](float u, float v) {
                           return MapToDesktop(model_.mapping, model_.screenCorrection, {u, v});
                       }};
    // ---- end of gain finding and tracking ----
};
