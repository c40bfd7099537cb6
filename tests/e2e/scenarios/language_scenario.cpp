// A German user's whole run: the program picks the German library, and every text met on the way
// from auto alignment through gain finding to tracking, and at a change of the room's light, is
// that library's. The texts are read from the library and the program's own file as they lie
// beside the program.
#include <windows.h>

#include <string>

#include "base/unique_handle.h"
#include "controller/mode.h"
#include "harness/desktop.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"
#include "resources/resource_ids.h"
#include "ui/resource_text.h"

namespace {

// The string table of a module beside the program, read as data.
class StringTable {
public:
    explicit StringTable(const wchar_t* fileName)
        : module_(LoadLibraryExW((std::wstring(L"C:\\tavro\\") + fileName).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE)) {}
    bool Loaded() const { return static_cast<bool>(module_); }
    std::wstring Text(UINT id) const { return LoadModuleText(module_.Get(), id); }
    std::wstring Title(Mode mode) const { return L" - " + Text(IDS_MODE_FIRST + static_cast<UINT>(mode)); }

private:
    UniqueModule module_;
};

// The ids of every text the run is to show; each must read differently in German.
constexpr UINT kShownIds[] = {IDS_PROMPT_AUTO_START, IDS_SENSOR_TRACKING, IDS_LIGHT_CHANGED,
                              IDS_MODE_FIRST + static_cast<UINT>(Mode::AutoAlignment),
                              IDS_MODE_FIRST + static_cast<UINT>(Mode::FindGain),
                              IDS_MODE_FIRST + static_cast<UINT>(Mode::Track)};

// Waits for the German title of `mode` and saves the screen as `name`.png.
bool ReachMode(ProgramRun& program, const StringTable& german, Mode mode, DWORD timeoutMs,
               const std::string& name, Report& report) {
    const bool reached = program.WaitForTitle(german.Title(mode), timeoutMs);
    Sleep(300);  // the Mode's picture painted
    SaveScreenshot(name + ".png");
    return report.Check(reached, name + "_title_german");
}

// Waits for a box holding the German text of `id`, saves the screen and answers OK.
bool AnswerGermanBox(ProgramRun& program, const StringTable& german, UINT id, DWORD timeoutMs,
                     const std::string& name, Report& report) {
    const HWND box = WaitForWindowWithText(program.ProcessId(), german.Text(id), timeoutMs);
    Sleep(300);  // the box painted whole
    SaveScreenshot(name + ".png");
    if (!report.Check(box != nullptr, name + "_box_german")) return false;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
}

// The auto alignment's waiting prompt, both its lines, painted along the top of the main window.
void CheckStartPrompt(ProgramRun& program, const StringTable& german, const StringTable& own,
                      Report& report) {
    POINT origin = {0, 0};
    ClientToScreen(program.MainWindow(), &origin);
    const RECT top = {0, origin.y, GetSystemMetrics(SM_CXSCREEN), origin.y + 60};
    const double germanOverlap = TextInkOverlap(top, german.Text(IDS_PROMPT_AUTO_START));
    const double ownOverlap = TextInkOverlap(top, own.Text(IDS_PROMPT_AUTO_START));
    report.Figure("start_prompt_german_overlap", germanOverlap, 2);
    report.Figure("start_prompt_english_overlap", ownOverlap, 2);
    report.Check(germanOverlap >= 0.95 && ownOverlap < 0.5, "start_prompt_german");
}

}  // namespace

E2E_SCENARIO(language_german_end_to_end, "--rf", 150) {
    TrackingSession session(report);
    const StringTable german(L"XDL-DEU.dll"), own(L"tavro.exe");
    if (!report.Check(german.Loaded() && own.Loaded(), "string_tables_read")) return;
    bool translated = true;
    for (UINT id : kShownIds) translated = translated && !german.Text(id).empty() && german.Text(id) != own.Text(id);
    if (!report.Check(translated, "texts_translated")) return;

    OptionRecord options = QuietStartOptions();
    options.skipAlignmentWhenAligned = 0;
    ProgramRun& program = session.Program();
    if (!report.Check(PlaceOptions(options), "options_placed") ||
        !report.Check(program.StartUnderLocale(L"de_DE.UTF-8"), "started_german"))
        return;
    if (!ReachMode(program, german, Mode::AutoAlignment, 60000, "1_auto_alignment", report)) return;
    // The sensor's picture settles on the alignment settings before the run is started.
    Sleep(1500);
    CheckStartPrompt(program, german, own, report);
    const double trigger = ElapsedSeconds();
    PressKey(program.MainWindow(), VK_RETURN);
    if (!ReachMode(program, german, Mode::FindGain, 90000, "2_find_gain", report)) return;
    report.Figure("align_s", ElapsedSeconds() - trigger, 2);
    if (!ReachMode(program, german, Mode::Track, 60000, "3_track", report) ||
        !AnswerGermanBox(program, german, IDS_SENSOR_TRACKING, 5000, "4_sensor_tracking", report))
        return;

    // The room's light changes under the learnt threshold: the message, then the gain anew.
    session.Sensor().Set("ambient", "1.0");
    const bool told = AnswerGermanBox(program, german, IDS_LIGHT_CHANGED, 10000, "5_light_changed", report);
    session.Sensor().Set("ambient", "0");
    if (!told || !ReachMode(program, german, Mode::FindGain, 5000, "6_find_gain_again", report) ||
        !ReachMode(program, german, Mode::Track, 60000, "7_track_again", report) ||
        !AnswerGermanBox(program, german, IDS_SENSOR_TRACKING, 5000, "8_sensor_tracking_again", report))
        return;
    session.Finish();
}
