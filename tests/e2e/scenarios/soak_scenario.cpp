// One long tracking run with a scripted pen, watched from outside the program: the frames the
// sensor delivered and skipped, and the program's handles, GDI objects and private bytes at the
// start and at the end, which must stay flat. Too long for the suite: scripts/soak runs it, for
// TAVRO_SOAK_MINUTES minutes (an hour by default).
#include <windows.h>
#include <psapi.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "control/stream_status.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"

namespace {

constexpr double kPi = 3.14159265358979;
constexpr DWORD kHandleSlack = 16;
constexpr DWORD kGdiSlack = 8;
constexpr SIZE_T kPrivateSlack = 8u << 20;

double SoakMinutes() {
    char text[32] = {};
    const DWORD length = GetEnvironmentVariableA("TAVRO_SOAK_MINUTES", text, sizeof text);
    const double minutes = length > 0 && length < sizeof text ? std::atof(text) : 0.0;
    return minutes > 0.0 ? minutes : 60.0;
}

// What a lesson does with the pen: a circled word, a few taps, an underline held still long
// enough for a right click.
void PenRound(TrackingSession& session) {
    const double w = session.Width(), h = session.Height();
    std::vector<cv::Point2d> circle;
    for (int i = 0; i <= 24; ++i) {
        const double angle = 2.0 * kPi * i / 24;
        circle.emplace_back(w * (0.5 + 0.2 * std::cos(angle)), h * (0.5 + 0.2 * std::sin(angle)));
    }
    session.Trace(circle);
    session.Lift();
    session.TapAll({{w * 0.2, h * 0.2}, {w * 0.8, h * 0.2}, {w * 0.8, h * 0.8}, {w * 0.2, h * 0.8}});
    session.PenTo(w * 0.3, h * 0.7);
    Sleep(2500);
    session.Lift();
}

// What the program holds, read from outside it.
struct ProcessFigures {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    SIZE_T privateBytes = 0;
};

// False when the process could not be opened.
bool MeasureProcess(DWORD processId, ProcessFigures* figures) {
    UniqueHandle<HANDLE, KernelHandleCloser> process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return false;
    GetProcessHandleCount(process.Get(), &figures->handles);
    figures->gdiObjects = GetGuiResources(process.Get(), GR_GDIOBJECTS);
    figures->userObjects = GetGuiResources(process.Get(), GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        figures->privateBytes = memory.PrivateUsage;
    return true;
}

struct Snapshot {
    ProcessFigures process;
    StreamStatus stream;
};

bool Take(TrackingSession& session, Snapshot* snapshot) {
    return MeasureProcess(session.Program().ProcessId(), &snapshot->process) &&
           ReadStreamStatus(&snapshot->stream);
}

void Print(const char* when, double minutes, const Snapshot& s) {
    std::printf("soak %s t=%.1fmin delivered=%lld skipped=%lld handles=%lu gdi=%lu user=%lu private_kb=%llu\n",
                when, minutes, s.stream.delivered, s.stream.skipped, s.process.handles,
                s.process.gdiObjects, s.process.userObjects,
                static_cast<unsigned long long>(s.process.privateBytes / 1024));
    std::fflush(stdout);
}

}  // namespace

E2E_LONG_RUN(soak_tracking, "--rf", 7500) {
    TrackingSession session(report);
    if (!session.StartToTracking()) return;
    PenRound(session);  // first use of every path is behind us before the start figures
    Snapshot start;
    if (!report.Check(Take(session, &start), "start_figures")) return;
    const double began = ElapsedSeconds();
    const double minutes = SoakMinutes();
    Print("start", 0.0, start);
    int rounds = 0;
    double lastPrint = began;
    while (ElapsedSeconds() - began < minutes * 60.0 && session.Program().Running()) {
        PenRound(session);
        ++rounds;
        if (ElapsedSeconds() - lastPrint >= 300.0) {
            Snapshot now;
            if (Take(session, &now)) Print("progress", (ElapsedSeconds() - began) / 60.0, now);
            lastPrint = ElapsedSeconds();
        }
    }
    Snapshot end;
    if (!report.Check(session.Program().Running() && Take(session, &end), "still_tracking")) return;
    Print("end", (ElapsedSeconds() - began) / 60.0, end);
    report.Figure("minutes", (ElapsedSeconds() - began) / 60.0, 1);
    report.Figure("pen_rounds", rounds, 0);
    report.Figure("frames_processed", static_cast<double>(end.stream.delivered - start.stream.delivered), 0);
    report.Figure("frames_skipped", static_cast<double>(end.stream.skipped - start.stream.skipped), 0);
    report.Figure("handles", std::to_string(start.process.handles) + "->" + std::to_string(end.process.handles));
    report.Figure("gdi", std::to_string(start.process.gdiObjects) + "->" + std::to_string(end.process.gdiObjects));
    report.Figure("private_kb", std::to_string(start.process.privateBytes / 1024) + "->" +
                                    std::to_string(end.process.privateBytes / 1024));
    report.Check(end.process.handles <= start.process.handles + kHandleSlack, "handles_flat");
    report.Check(end.process.gdiObjects <= start.process.gdiObjects + kGdiSlack, "gdi_flat");
    report.Check(end.process.privateBytes <= start.process.privateBytes + kPrivateSlack, "private_bytes_flat");
    session.Finish();
}
