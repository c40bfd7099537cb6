#pragma once
// The program started for tracking on an alignment it made itself in the same room (kept from an
// earlier scenario, or made now), stored with "do not align if the last alignment was ok", so
// the program goes from start-up straight to gain finding and tracking. The pen and the pointer's
// events come with it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <opencv2/core/types.hpp>

#include "harness/desktop.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "settings/alignment_record.h"

class TrackingSession {
public:
    explicit TrackingSession(Report& report);
    ~TrackingSession();
    TrackingSession(const TrackingSession&) = delete;
    TrackingSession& operator=(const TrackingSession&) = delete;

    // Stores the program's own alignment of this room (aligning once, in a run of its own, when
    // there is none kept).
    bool PlaceOwnAlignment();
    // Then starts the program, which applies it again, and waits for gain finding to begin.
    bool StartToGainFinding();
    // Starts the program without a stored alignment and waits until auto alignment waits for
    // its trigger.
    bool StartToAutoAlignment();
    // Ctrl+M from auto alignment, then waits for manual alignment.
    bool EnterManualAlignment();
    // Presses Enter once the sensor's picture has settled; the time of the press.
    double TriggerAutoAlignment();
    // Both, then waits for gain finding to begin; AlignmentSeconds() is the time from Enter.
    bool AlignToGainFinding();
    double AlignmentSeconds() const { return alignmentSeconds_; }
    // Then waits for tracking, dismissing "Sensor is tracking.".
    bool WaitForTracking(DWORD timeoutMs = 60000);
    // Both of the above: the program tracking on its stored alignment.
    bool StartToTracking() { return StartToGainFinding() && WaitForTracking(); }
    // Reports the title and the texts of the program's open message boxes: why a wait failed.
    void ReportWhereItWaits();
    // Waits for a message box of the program holding `text` and presses `button`.
    bool AnswerBox(const std::wstring& text, const std::wstring& button, DWORD timeoutMs);

    // Puts the pen on the desktop point and waits until the pointer is within `tolerance`
    // pixels of it (or the time is up); returns the pointer's last distance from it.
    double PenTo(double x, double y, double tolerance = 3.0, DWORD timeoutMs = 1500);
    // Puts the pen on the desktop point, checks the pointer comes within 3 pixels of it
    // (`name`_err_px) and lifts it again.
    bool PointerFollows(double x, double y, const std::string& name);
    // Lifts the pen and waits until the left button has come up (true when it did).
    bool Lift(DWORD timeoutMs = 1500);
    // Waits until the desktop's left-button downs minus ups reach `balance`.
    bool WaitForLeftBalance(int balance, DWORD timeoutMs = 1500) const;
    // The pointer's settled distances from the pen over the taps.
    struct ErrorStats {
        int count = 0;
        double mean = 0.0;
        double max = 0.0;
        cv::Point2d worstAt;  // the pen position of the largest error
    };
    // Taps a 5 x 4 grid spread to within 5 % of the screen's edges and reports the errors
    // (positions, mean_err_px, max_err_px, worst_at).
    ErrorStats TapGridErrors();
    // Moves the pen down along the path without lifting it; the worst distance on the way.
    double Trace(const std::vector<cv::Point2d>& path);
    // The alignment result file as the program last stored it.
    bool ReadStoredAlignment(AlignmentRecord& record) const;
    // Ends the program; checks that the left button was never left down.
    void Finish();

    int Width() const { return width_; }
    int Height() const { return height_; }
    SensorControl& Sensor() { return sensor_; }
    PointerRecorder& Pointer() { return *recorder_; }
    ProgramRun& Program() { return program_; }
    // Left-button downs minus ups the desktop received.
    int LeftBalance() const;

protected:
    Report& report_;

private:
    SensorControl sensor_;
    std::string sensorAtStart_;  // the room: the control file as the scenario began
    std::unique_ptr<PointerRecorder> recorder_;
    ProgramRun program_;
    int width_;
    int height_;
    double alignmentSeconds_ = 0.0;
    bool alignmentPlaced_ = false;
};

// Seconds since an arbitrary start, from the performance counter, now or at a count it gave.
double ElapsedSeconds();
double CounterSeconds(LONGLONG counter);
