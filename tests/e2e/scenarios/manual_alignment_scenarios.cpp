// The program's manual alignment with the virtual sensor: the user starts it, the pen touches
// the green target dot on the screen one after the other, skips or lingers, and answers the
// program's questions.
#include <windows.h>

#include <cmath>
#include <string>

#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "harness/tracking_session.h"
#include "resources/resource_ids.h"
#include "settings/alignment_record.h"

namespace {

constexpr COLORREF kTargetGreen = RGB(0, 255, 0);
constexpr COLORREF kWarningRed = RGB(255, 0, 0);
constexpr COLORREF kLostBlue = RGB(0, 0, 128);
constexpr DWORD kModeTimeoutMs = 30000;
// Starting, the threshold learning and the first dot together.
constexpr DWORD kDotsTimeoutMs = 30000;
constexpr DWORD kTouchTimeoutMs = 5000;
// Nine dots fit the screen less closely than a 35-corner board.
constexpr double kTrackingTolerancePx = 5.0;

std::wstring FirstLine(const std::wstring& text) { return text.substr(0, text.find(L'\n')); }

// The status lines sit at the top of the screen, above the dots.
bool WarningShown() { return FindColourOnScreen(kWarningRed, nullptr, 50, 60); }

// One run of the program taken into the dot input of the manual alignment.
class ManualRun : public TrackingSession {
public:
    using TrackingSession::TrackingSession;

    bool StartDotInput() {
        if (!StartToAutoAlignment() || !EnterManualAlignment()) return false;
        Trigger();
        const ULONGLONG start = GetTickCount64();
        const bool shown = WaitUntil(kDotsTimeoutMs, [this] { return Target(nullptr); });
        report_.Figure("dots_after_s", (GetTickCount64() - start) / 1000.0, 1);
        return report_.Check(shown, "dots_shown");
    }

    // F5, the pen's button.
    void Trigger() { PressKey(Program().MainWindow(), VK_F5); }

    bool Target(cv::Point2d* centre) const { return FindColourOnScreen(kTargetGreen, centre); }

    // The pen on the green dot until the target moves on, then lifted.
    bool TouchTarget() {
        // The pen on the dot's middle, as a user aims: not cut off to a whole pixel.
        cv::Point2d target;
        if (!Target(&target)) return false;
        Sensor().Pen(target.x, target.y, true);
        const bool moved = WaitForTargetToLeave(target);
        Sensor().Lift();
        Sleep(300);
        return moved;
    }

    // Skips the target dot with the trigger; true when another dot became the target.
    bool SkipTarget(cv::Point2d* skipped = nullptr) {
        cv::Point2d target;
        if (!Target(&target)) return false;
        if (skipped) *skipped = target;
        Trigger();
        return WaitForTargetToLeave(target);
    }

    // True once the target dot is no longer at `target` (another one or none).
    bool WaitForTargetToLeave(cv::Point2d target) const {
        return WaitUntil(kTouchTimeoutMs, [&] {
            cv::Point2d now;
            return !Target(&now) || std::abs(now.x - target.x) > 20 || std::abs(now.y - target.y) > 20;
        });
    }

    // After the run's last dot: the question, the stored alignment and the Mode that follows.
    void CheckAccepted(const std::wstring& question, const std::wstring& answer, int expectedPoints) {
        if (!report_.Check(AnswerBox(question, answer, 20000), "last_dot_question_answered")) return;
        report_.Check(Program().WaitForTitle(L"Find gain", kModeTimeoutMs), "find_gain_follows");
        AlignmentRecord stored{};
        report_.Check(ReadStoredAlignment(stored), "alignment_stored");
        report_.Figure("grade", static_cast<double>(stored.accuracy.grade), 0);
        report_.Figure("average_error", std::to_string(stored.accuracy.averageErrorX) + "," +
                                            std::to_string(stored.accuracy.averageErrorY));
        report_.Figure("points", stored.posePoints.count, 0);
        report_.Check(stored.accuracy.grade == AccuracyGrade::Good || stored.accuracy.grade == AccuracyGrade::Coarse,
                      "grade_good_or_coarse");
        report_.Check(stored.posePoints.count == expectedPoints, "stored_points");
    }

    // The alignment the dots gave steers the pointer: 20 taps to within 5 % of the edges.
    void JudgeTaps() {
        if (!WaitForTracking()) return;
        const TrackingSession::ErrorStats taps = TapGridErrors();
        report_.Check(taps.count == 20 && taps.max <= kTrackingTolerancePx, "pointer_within_5px");
        Finish();
    }
};

}  // namespace

// The first dot lingered on, the second skipped and revisited after the last, the rest touched:
// nine points, and the alignment they give steers the pointer.
E2E_SCENARIO(manual_alignment_nine_dots, "", 180) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    report.Check(SaveScreenshot("manual_dots_start"), "screenshot_start");
    // A pen left on a dot is taken once, then warned about until it lifts.
    cv::Point2d first;
    run.Target(&first);
    run.Sensor().Pen(first.x, first.y, true);
    report.Check(WaitUntil(5000, WarningShown), "double_input_warning");
    report.Check(SaveScreenshot("manual_double_input"), "screenshot_double_input");
    run.Sensor().Lift();
    report.Check(WaitUntil(3000, [] { return !WarningShown(); }), "warning_gone_after_lift");
    if (!report.Check(run.WaitForTargetToLeave(first), "lingered_dot_taken")) return;
    cv::Point2d skipped;
    if (!report.Check(run.SkipTarget(&skipped), "skipped")) return;
    report.Check(FindColourOnScreen(kLostBlue, nullptr), "lost_dot_blue");
    for (int dot = 2; dot < 9; ++dot) {
        if (!report.Check(run.TouchTarget(), "touch_" + std::to_string(dot))) return;
        // Every state at once: target, done, lost and waiting dots.
        if (dot == 4) report.Check(SaveScreenshot("manual_dots_every_state"), "screenshot");
    }
    cv::Point2d again;
    report.Check(run.Target(&again), "target_after_last");
    report.Figure("revisited", std::to_string(std::lround(again.x)) + "," + std::to_string(std::lround(again.y)));
    report.Check(std::abs(again.x - skipped.x) <= 2 && std::abs(again.y - skipped.y) <= 2, "skipped_dot_revisited");
    if (!report.Check(run.TouchTarget(), "touch_revisited")) return;
    run.CheckAccepted(L"All inputs are done", L"OK", 9);
    run.JudgeTaps();
}

E2E_SCENARIO(manual_alignment_six_dots, "", 180) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    // The second, fifth and eighth dots are skipped, and skipped again when offered once more.
    for (int offer = 0; offer < 12; ++offer) {
        const bool skip = offer == 1 || offer == 4 || offer == 7 || offer >= 9;
        if (!report.Check(skip ? run.SkipTarget() : run.TouchTarget(), "offer_" + std::to_string(offer))) return;
    }
    run.CheckAccepted(L"some dots are not detected", L"No", 6);
    run.JudgeTaps();
}

E2E_SCENARIO(manual_alignment_hot_spot_closes, "", 150) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    // A lamp in the room, lit after the screen's brightness was learnt.
    run.Sensor().Set("lamp", "200 150 on 4");
    Sleep(1500);
    PressChord(run.Program().MainWindow(), {VK_CONTROL, 'Z'});
    // The question is the program's own string 20307, not the redo question 20305.
    const std::wstring question = FirstLine(ProgramText(IDS_MANUAL_HOT_SPOT_FOUND));
    if (!report.Check(question.rfind(L"Hot spot found", 0) == 0, "question_20307_text")) return;
    HWND box = WaitForWindowWithText(run.Program().ProcessId(), question, 20000);
    if (!report.Check(box != nullptr, "hot_spot_question_shown")) return;
    report.Check(WindowTexts(box).find(FirstLine(ProgramText(IDS_MANUAL_ASK_REDO))) == std::wstring::npos,
                 "not_the_redo_question");
    if (!report.Check(PressButton(box, L"No"), "hot_spot_question_answered")) return;
    run.Program().CheckEndsWithZero(15000, "closed", report);
    report.Figure("left_balance", run.LeftBalance(), 0);
    report.Check(run.LeftBalance() == 0, "button_not_held");
}
