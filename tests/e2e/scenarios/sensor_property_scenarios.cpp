// The camera's automatics through the kernel-streaming property path, end to end: the program
// starts on the virtual sensor, whose driver answers the property requests on the capture
// interface as a camera's driver does and records each one (kept in the run's prefix:
// drive_c/vsensor/ks-requests.txt).
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "control/ks_record.h"
#include "control/picture_record.h"
#include "harness/scenario.h"
#include "harness/sensor_control.h"
#include "harness/tracking_session.h"

namespace {

using Lines = std::vector<std::string>;

bool StartsWith(const std::string& line, const std::string& start) { return line.compare(0, start.size(), start) == 0; }

// Index of the first line from `from` on that starts with `start`, or the line count.
size_t Find(const Lines& lines, const std::string& start, size_t from = 0) {
    while (from < lines.size() && !StartsWith(lines[from], start)) ++from;
    return from;
}

long Count(const Lines& lines, const std::string& start) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) { return StartsWith(line, start); });
}

// Starts the program, on its stored alignment up to gain finding or without one up to auto
// alignment, and waits (up to 20 s) until the lines the record gained since then (not those of a
// run that made the alignment) are `done`; those lines.
Lines RequestsOfOneStart(const std::string& name, bool toGainFinding, const std::function<bool(const Lines&)>& done,
                         Report& report) {
    TrackingSession session(report);
    const bool placed = !toGainFinding || session.PlaceOwnAlignment();
    const size_t before = ReadKsRecord().size();
    Lines added;
    if (placed && (toGainFinding ? session.StartToGainFinding() : session.StartToAutoAlignment())) {
        WaitUntil(20000, [&] {
            const Lines all = ReadKsRecord();
            added.assign(all.begin() + static_cast<std::ptrdiff_t>(std::min(before, all.size())), all.end());
            return done(added);
        });
    }
    session.Finish();
    report.Figure(name + "_requests", static_cast<double>(added.size()), 0);
    report.Check(done(added), name + "_requests_seen");
    return added;
}

}  // namespace

// At start-up the program turns the camera's automatic exposure off, sets the vendor mode and the
// mains frequency; a camera without an exposure control on its filter gets the exposure through
// the kernel-streaming fallback.
E2E_SCENARIO(sensor_automatics_off_at_startup, "", 150) {
    // Wine starts the driver with its session, which this runner began.
    report.Check(WaitUntil(10000, [] { return Count(ReadKsRecord(), "driver started") > 0; }), "driver_started");

    // The first start in the room: no run, aligning or other, has set the camera before.
    const Lines startup = RequestsOfOneStart(
        "startup", false, [](const Lines& lines) { return Find(lines, "vendor power_line set") < lines.size(); }, report);
    // The camera came up automatic; the program read that and set manual.
    const size_t read = Find(startup, "camera exposure get");
    report.Check(read < startup.size() && startup[read].find("flags=auto") != std::string::npos, "exposure_was_auto");
    const size_t set = Find(startup, "camera exposure set", read);
    report.Check(set < startup.size() && startup[set].find("flags=manual") != std::string::npos,
                 "exposure_automatic_off");
    report.Check(Find(startup, "vendor mode get") < Find(startup, "vendor mode set value=1 "), "vendor_mode_1");
    // The parameter set's 60 Hz mains, in the camera's own code.
    const size_t frequency = Find(startup, "vendor power_line set");
    report.Check(frequency < startup.size() && startup[frequency].find("value=2 ") != std::string::npos,
                 "power_line_60hz_as_code_2");
    report.Check(Count(startup, "camera exposure set") == 1, "one_exposure_set_at_startup");
    // Ended, the program left every picture control at its minimum for the next start.
    PictureValues left{};
    const PictureControls offered(true);
    bool atMinimum = ReadPictureRecord(&left);
    for (long id = 0; id < 10; ++id) {
        ControlLimits range{};
        if (offered.Range(ControlKind::ProcAmp, id, &range)) atMinimum = atMinimum && left.procAmp[id] == range.minimum;
    }
    report.Check(atMinimum, "picture_controls_at_minimum_after_exit");
    report.Check(Count(startup, "other ") == 0 && Count(startup, "camera id=") == 0 && Count(startup, "vendor id=") == 0,
                 "only_known_properties");

    // A filter without an exposure range: gain finding's exposure goes to the driver, after the
    // automatics' set of the start-up.
    SensorControl().Set("exposure", "off");
    const Lines fallback = RequestsOfOneStart(
        "fallback", true, [](const Lines& lines) { return Count(lines, "camera exposure set") >= 2; }, report);
    const size_t second = Find(fallback, "camera exposure set", Find(fallback, "camera exposure set") + 1);
    report.Check(second < fallback.size() && Find(fallback, "camera exposure get", Find(fallback, "vendor power_line set")) < second,
                 "exposure_fallback_reads_then_sets");
}
