#include "tracking_session.h"

#include <algorithm>
#include <cmath>

#include "harness/own_alignment_cache.h"
#include "harness/program_files.h"
#include "settings/alignment_record.h"

double CounterSeconds(LONGLONG counter) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter) / static_cast<double>(frequency.QuadPart);
}

double ElapsedSeconds() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return CounterSeconds(counter.QuadPart);
}

TrackingSession::TrackingSession(Report& report)
    : report_(report),
      sensorAtStart_(sensor_.Text()),
      recorder_(std::make_unique<PointerRecorder>()),
      width_(GetSystemMetrics(SM_CXSCREEN)),
      height_(GetSystemMetrics(SM_CYSCREEN)) {}

TrackingSession::~TrackingSession() = default;

bool TrackingSession::PlaceOwnAlignment() {
    if (alignmentPlaced_) return true;
    const OwnAlignmentCache cache(sensorAtStart_, width_, height_);
    if (cache.Restore()) {
        report_.Figure("own_alignment", "kept");
        return alignmentPlaced_ = true;
    }
    report_.Figure("own_alignment", "made");
    if (!AlignToGainFinding() || !report_.Check(cache.Keep(), "own_alignment_kept")) return false;
    // Tracking always starts as after a restart, on the stored alignment applied again.
    program_.RequestStop();
    return alignmentPlaced_ = program_.CheckEndsWithZero(10000, "aligning_run_stopped", report_);
}

bool TrackingSession::StartToGainFinding() {
    if (!PlaceOwnAlignment() || !report_.Check(PlaceOptions(true), "options_written")) return false;
    if (!report_.Check(program_.Start(), "program_start")) return false;
    return report_.Check(program_.WaitForTitle(L" - Find gain", 40000), "find_gain_entered");
}

bool TrackingSession::StartToAutoAlignment() {
    if (!report_.Check(PlaceOptions(false), "options_written")) return false;
    if (!report_.Check(program_.Start(), "program_start")) return false;
    if (program_.WaitForTitle(L" - Auto Alignment", 60000)) return true;
    report_.Figure("title", program_.Title());
    return report_.Check(false, "auto_alignment_entered");
}

bool TrackingSession::EnterManualAlignment() {
    PressChord(program_.MainWindow(), {VK_CONTROL, 'M'});
    return report_.Check(program_.WaitForTitle(L" - Manual Alignment", 10000), "manual_alignment_entered");
}

double TrackingSession::TriggerAutoAlignment() {
    // The sensor's picture settles on the alignment settings before the run is started.
    Sleep(1500);
    const double trigger = ElapsedSeconds();
    PressKey(program_.MainWindow(), VK_RETURN);
    return trigger;
}

bool TrackingSession::AlignToGainFinding() {
    if (!StartToAutoAlignment()) return false;
    const double trigger = TriggerAutoAlignment();
    if (!report_.Check(program_.WaitForTitle(L" - Find gain", 90000), "find_gain_entered")) {
        SaveScreenshot("not_aligned");
        return false;
    }
    alignmentSeconds_ = ElapsedSeconds() - trigger;
    report_.Figure("align_s", alignmentSeconds_, 2);
    return true;
}

bool TrackingSession::WaitForTracking(DWORD timeoutMs) {
    if (!program_.WaitForTitle(L" - Track", timeoutMs)) {
        SaveScreenshot("track_not_entered");
        ReportWhereItWaits();
        return report_.Check(false, "track_entered");
    }
    // With nothing hot on the screen the program says it tracks; the box is in the way.
    AnswerBox(L"Sensor is tracking.", L"OK", 3000);
    // The pen comes once the screen is still, as a user's would: the sensor shows the box gone
    // only a few frames later.
    Sleep(500);
    return true;
}

void TrackingSession::ReportWhereItWaits() {
    report_.Figure("title", program_.Title());
    // A message the program waits on explains a Mode that never came.
    for (HWND box : VisibleWindowsOfClass(program_.ProcessId(), L"#32770")) {
        std::wstring texts = WindowTexts(box);
        std::replace(texts.begin(), texts.end(), L'\n', L'|');
        report_.Figure("box", texts);
    }
}

bool TrackingSession::AnswerBox(const std::wstring& text, const std::wstring& button,
                                DWORD timeoutMs) {
    HWND box = WaitForWindowWithText(program_.ProcessId(), text, timeoutMs);
    return box && PressButton(box, button);
}

double TrackingSession::PenTo(double x, double y, double tolerance, DWORD timeoutMs) {
    sensor_.Pen(x, y, true);
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    double distance = 0.0;
    do {
        Sleep(30);
        const POINT at = recorder_->Position();
        distance = std::hypot(at.x - x, at.y - y);
    } while (distance > tolerance && GetTickCount64() < end);
    return distance;
}

bool TrackingSession::PointerFollows(double x, double y, const std::string& name) {
    const double error = PenTo(x, y, 3.0, 2000);
    report_.Figure(name + "_err_px", error, 2);
    const bool followed = report_.Check(error <= 3.0, name + "_pointer_at_pen");
    return report_.Check(Lift(), name + "_released") && followed;
}

bool TrackingSession::Lift(DWORD timeoutMs) {
    sensor_.Lift();
    return WaitForLeftBalance(0, timeoutMs);
}

bool TrackingSession::WaitForLeftBalance(int balance, DWORD timeoutMs) const {
    return WaitUntil(timeoutMs, [&] { return LeftBalance() == balance; });
}

TrackingSession::ErrorStats TrackingSession::TapGridErrors() {
    ErrorStats errors;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            const cv::Point2d p(width_ * (0.05 + 0.225 * column), height_ * (0.05 + 0.3 * row));
            // Tolerance 0: the whole settling time passes, so the error is the settled one.
            const double error = PenTo(p.x, p.y, 0.0, 700);
            Lift();
            if (error > errors.max) errors.max = error, errors.worstAt = p;
            errors.mean += error / 20;
            ++errors.count;
        }
    }
    report_.Figure("positions", errors.count, 0);
    report_.Figure("mean_err_px", errors.mean, 2);
    report_.Figure("max_err_px", errors.max, 2);
    report_.Figure("worst_at", std::to_string(static_cast<int>(errors.worstAt.x)) + "," +
                                   std::to_string(static_cast<int>(errors.worstAt.y)));
    return errors;
}

double TrackingSession::Trace(const std::vector<cv::Point2d>& path) {
    // The pen is first seen only with the sensor's next frame and the program's next step, which
    // a busy machine delays: the first point waits longer, so that the press lands on it.
    double worst = 0.0;
    for (const cv::Point2d& p : path) worst = std::max(worst, PenTo(p.x, p.y, 1.5, &p == &path.front() ? 1500 : 400));
    return worst;
}

bool TrackingSession::ReadStoredAlignment(AlignmentRecord& record) const {
    ProgramFolderScope folder;
    return ReadAlignmentResult(record) == FileResult::Ok;
}

int TrackingSession::LeftBalance() const {
    int balance = 0;
    for (const PointerEvent& event : recorder_->Events())
        balance += (event.message == WM_LBUTTONDOWN) - (event.message == WM_LBUTTONUP);
    return balance;
}

void TrackingSession::Finish() {
    sensor_.Lift();
    Sleep(300);
    report_.Figure("left_balance", LeftBalance(), 0);
    report_.Check(LeftBalance() == 0, "button_released");
    program_.RequestStop();
    program_.CheckEndsWithZero(10000, "stopped", report_);
}
