// The program's manual alignment with the virtual sensor: the user starts it, the pen touches
// the green target dot on the screen one after the other, skips or lingers, and answers the
// program's questions.
#include <windows.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/unique_handle.h"
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
// How long a finger rests on a key.
constexpr DWORD kKeyHoldMs = 300;
constexpr int kTextLength = 1024;

// The screen as the user sees it, top row first.
class ScreenGrab {
public:
    ScreenGrab() : width_(GetSystemMetrics(SM_CXSCREEN)), height_(GetSystemMetrics(SM_CYSCREEN)) {
        WindowDc screen(nullptr);
        UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        UniqueBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap || !memory) return;
        {
            SelectedObject selected(memory.Get(), bitmap.Get());
            BitBlt(memory.Get(), 0, 0, width_, height_, screen.Get(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        pixels_.assign(pixels, pixels + static_cast<size_t>(width_) * height_);
    }

    // Centre of the pixels of exactly this colour inside the rows [top, bottom); false when
    // there are fewer than `least`.
    bool Find(COLORREF colour, POINT* centre, int least = 200, int top = 0, int bottom = -1) const {
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        long long sumX = 0, sumY = 0, count = 0;
        const int last = bottom < 0 || bottom > height_ ? height_ : bottom;
        for (int y = top; y < last && !pixels_.empty(); ++y) {
            for (int x = 0; x < width_; ++x) {
                if ((pixels_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF) != wanted) continue;
                sumX += x;
                sumY += y;
                ++count;
            }
        }
        if (count < least) return false;
        if (centre) *centre = {static_cast<LONG>(sumX / count), static_cast<LONG>(sumY / count)};
        return true;
    }

private:
    int width_;
    int height_;
    std::vector<DWORD> pixels_;
};

bool WaitFor(DWORD timeoutMs, const std::function<bool()>& done) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        if (done()) return true;
        Sleep(50);
    } while (GetTickCount64() < end);
    return done();
}

void SendKeys(std::initializer_list<WORD> keys, DWORD flags) {
    std::vector<INPUT> inputs(keys.size());
    size_t i = 0;
    for (WORD key : keys) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = key;
        inputs[i].ki.dwFlags = flags;
        ++i;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Presses a key with Ctrl held, as the user's keyboard does: Ctrl stays down until the program
// has taken the key, since it asks whether Ctrl is held when the key arrives.
void PressWithControl(WORD key) {
    SendKeys({VK_CONTROL, key}, 0);
    Sleep(kKeyHoldMs);
    SendKeys({key, VK_CONTROL}, KEYEVENTF_KEYUP);
}

// A text of the program's string table, read from its executable.
std::wstring ProgramText(UINT id) {
    UniqueModule program(LoadLibraryExW(L"C:\\tavro\\tavro.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    wchar_t text[kTextLength] = {};
    if (program) LoadStringW(program.Get(), id, text, kTextLength);
    return text;
}

std::wstring FirstLine(const std::wstring& text) { return text.substr(0, text.find(L'\n')); }

AlignmentRecord StoredAlignment() {
    AlignmentRecord record{};
    std::ifstream file("C:\\tavro\\tavro_refer.und", std::ios::binary);
    file.read(reinterpret_cast<char*>(&record), sizeof record);
    return record;
}

// One run of the program taken into the dot input of the manual alignment.
class ManualRun {
public:
    explicit ManualRun(Report& report) : report_(report), session_(report) {}
    ~ManualRun() {
        Sensor().Lift();
        Sensor().Set("lamp", "0 0 off");
    }

    bool StartDotInput() {
        if (!report_.Check(PlaceOptions(QuietStartOptions()), "options_placed")) return false;
        if (!report_.Check(Program().Start(), "program_started")) return false;
        if (!report_.Check(Program().WaitForTitle(L"Auto Alignment", kModeTimeoutMs), "auto_alignment_title"))
            return false;
        SetForegroundWindow(Program().MainWindow());
        PressWithControl('M');
        if (!report_.Check(Program().WaitForTitle(L"Manual Alignment", kModeTimeoutMs), "ctrl_m_manual_alignment"))
            return false;
        Trigger();
        const ULONGLONG start = GetTickCount64();
        const bool shown = WaitFor(kDotsTimeoutMs, [this] { return Target(nullptr); });
        report_.Figure("dots_after_s", (GetTickCount64() - start) / 1000.0, 1);
        return report_.Check(shown, "dots_shown");
    }

    // F5, the pen's button.
    void Trigger() { PressKey(Program().MainWindow(), VK_F5); }

    bool Target(POINT* centre) const { return ScreenGrab().Find(kTargetGreen, centre); }

    // The pen on the green dot until the target moves on, then lifted.
    bool TouchTarget(POINT* touched = nullptr) {
        POINT target{};
        if (!Target(&target)) return false;
        if (touched) *touched = target;
        Sensor().Pen(target.x, target.y, true);
        const bool moved = WaitForTargetToLeave(target);
        Sensor().Lift();
        Sleep(300);
        return moved;
    }

    // Skips the target dot with the trigger; true when another dot became the target.
    bool SkipTarget(POINT* skipped = nullptr) {
        POINT target{};
        if (!Target(&target)) return false;
        if (skipped) *skipped = target;
        Trigger();
        return WaitForTargetToLeave(target);
    }

    // True once the target dot is no longer at `target` (another one or none).
    bool WaitForTargetToLeave(POINT target) const {
        return WaitFor(kTouchTimeoutMs, [&] {
            POINT now{};
            return !Target(&now) || std::abs(now.x - target.x) > 20 || std::abs(now.y - target.y) > 20;
        });
    }

    // Presses `button` on the program's box that shows `text`.
    bool Answer(const std::wstring& text, const std::wstring& button, const std::string& what) {
        HWND box = WaitForWindowWithText(Program().ProcessId(), text, 20000);
        if (!report_.Check(box != nullptr, what + "_shown")) return false;
        return report_.Check(PressButton(box, button), what + "_answered");
    }

    bool Stop() {
        DWORD exitCode = 1;
        const bool stopped = Program().Stop(10000, &exitCode);
        report_.Figure("exit_code", exitCode, 0);
        return report_.Check(stopped && exitCode == 0, "stopped");
    }

    ProgramRun& Program() { return session_.Program(); }
    SensorControl& Sensor() { return session_.Sensor(); }
    TrackingSession& Session() { return session_; }

private:
    Report& report_;
    // The program, the sensor's pen (bright enough for a whole spot) and the pointer's events.
    TrackingSession session_;
};

// After the run's last dot: the stored alignment and the Mode that follows.
void CheckAccepted(ManualRun& run, Report& report, int expectedPoints) {
    report.Check(run.Program().WaitForTitle(L"Find gain", kModeTimeoutMs), "find_gain_follows");
    const AlignmentRecord stored = StoredAlignment();
    report.Figure("grade", static_cast<double>(stored.accuracy.grade), 0);
    report.Figure("average_error", std::to_string(stored.accuracy.averageErrorX) + "," +
                                       std::to_string(stored.accuracy.averageErrorY));
    report.Figure("points", stored.posePoints.count, 0);
    report.Check(stored.accuracy.grade == AccuracyGrade::Good || stored.accuracy.grade == AccuracyGrade::Coarse,
                 "grade_good_or_coarse");
    report.Check(stored.posePoints.count == expectedPoints, "stored_points");
}

}  // namespace

E2E_SCENARIO(manual_alignment_nine_dots, "", 180) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    report.Check(SaveScreenshot("manual_dots_start.png"), "screenshot_start");
    int touched = 0;
    for (int dot = 0; dot < 9; ++dot) {
        if (!run.TouchTarget()) break;
        ++touched;
        if (dot == 3) report.Check(SaveScreenshot("manual_dots.png"), "screenshot");
    }
    report.Figure("touched", touched, 0);
    if (!report.Check(touched == 9, "nine_dots_touched")) return;
    if (!run.Answer(L"All inputs are done", L"OK", "inputs_done")) return;
    CheckAccepted(run, report, 9);
    // The alignment the dots gave now steers the pointer.
    TrackingSession& session = run.Session();
    if (!session.WaitForTracking()) return;
    report.Check(session.TapGrid(kTrackingTolerancePx), "pointer_within_5px");
    session.Finish();
}

E2E_SCENARIO(manual_alignment_skipped_dot_revisited, "", 180) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    POINT skipped{};
    if (!report.Check(run.SkipTarget(&skipped), "skipped")) return;
    report.Check(ScreenGrab().Find(kLostBlue, nullptr), "lost_dot_blue");
    for (int dot = 1; dot < 9; ++dot) {
        if (!report.Check(run.TouchTarget(), "touch_" + std::to_string(dot))) return;
        // Every state at once: target, done, lost and waiting dots.
        if (dot == 3) report.Check(SaveScreenshot("manual_dots_every_state.png"), "screenshot");
    }
    POINT again{};
    report.Check(run.Target(&again), "target_after_last");
    report.Figure("revisited", std::to_string(again.x) + "," + std::to_string(again.y));
    report.Check(std::abs(again.x - skipped.x) <= 2 && std::abs(again.y - skipped.y) <= 2, "skipped_dot_revisited");
    if (!report.Check(run.TouchTarget(), "touch_revisited")) return;
    if (!run.Answer(L"All inputs are done", L"OK", "inputs_done")) return;
    CheckAccepted(run, report, 9);
    run.Stop();
}

E2E_SCENARIO(manual_alignment_six_dots, "", 180) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    // The second, fifth and eighth dots are skipped, and skipped again when offered once more.
    for (int offer = 0; offer < 12; ++offer) {
        const bool skip = offer == 1 || offer == 4 || offer == 7 || offer >= 9;
        if (!report.Check(skip ? run.SkipTarget() : run.TouchTarget(), "offer_" + std::to_string(offer))) return;
    }
    if (!run.Answer(L"some dots are not detected", L"No", "some_dots_missed")) return;
    CheckAccepted(run, report, 6);
    run.Stop();
}

E2E_SCENARIO(manual_alignment_double_input_warning, "", 150) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    POINT target{};
    run.Target(&target);
    run.Sensor().Pen(target.x, target.y, true);
    // The status lines sit at the top of the screen, above the dots.
    const bool warned = WaitFor(5000, [] { return ScreenGrab().Find(kWarningRed, nullptr, 50, 0, 60); });
    report.Check(warned, "double_input_warning");
    report.Check(SaveScreenshot("manual_double_input.png"), "screenshot");
    run.Sensor().Lift();
    report.Check(WaitFor(3000, [] { return !ScreenGrab().Find(kWarningRed, nullptr, 50, 0, 60); }),
                 "warning_gone_after_lift");
    run.Stop();
}

E2E_SCENARIO(manual_alignment_hot_spot_closes, "", 150) {
    ManualRun run(report);
    if (!run.StartDotInput()) return;
    // A lamp in the room, lit after the screen's brightness was learnt.
    run.Sensor().Set("lamp", "200 150 on 4");
    Sleep(1500);
    SetForegroundWindow(run.Program().MainWindow());
    PressWithControl('Z');
    // The question is the program's own string 20307, not the redo question 20305.
    const std::wstring question = FirstLine(ProgramText(IDS_MANUAL_HOT_SPOT_FOUND));
    if (!report.Check(question.rfind(L"Hot spot found", 0) == 0, "question_20307_text")) return;
    HWND box = WaitForWindowWithText(run.Program().ProcessId(), question, 20000);
    if (!report.Check(box != nullptr, "hot_spot_question_shown")) return;
    report.Check(WindowTexts(box).find(FirstLine(ProgramText(IDS_MANUAL_ASK_REDO))) == std::wstring::npos,
                 "not_the_redo_question");
    if (!report.Check(PressButton(box, L"No"), "hot_spot_question_answered")) return;
    DWORD exitCode = 1;
    const bool exited = run.Program().WaitForExit(15000, &exitCode);
    report.Figure("exit_code", exitCode, 0);
    report.Check(exited && exitCode == 0, "closed_cleanly");
    report.Figure("left_balance", run.Session().LeftBalance(), 0);
    report.Check(run.Session().LeftBalance() == 0, "button_not_held");
}
