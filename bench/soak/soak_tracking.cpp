// One long tracking run with a scripted pen: the frames the sensor delivered and skipped, printed
// at the start, every five minutes and at the end. scripts/soak runs it for TAVRO_SOAK_MINUTES
// minutes (an hour by default) and samples the program's memory and open handles from the host,
// as Wine does not tell them for another process. A program that stops tracking fails the run.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "control/stream_status.h"
#include "harness/scenario.h"
#include "harness/tracking_session.h"

namespace {

constexpr double kPi = 3.14159265358979;

double SoakMinutes() {
    const char* text = std::getenv("TAVRO_SOAK_MINUTES");
    const double minutes = text ? std::atof(text) : 0.0;
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
    for (const cv::Point2d& tap : {cv::Point2d(w * 0.2, h * 0.2), cv::Point2d(w * 0.8, h * 0.2),
                                   cv::Point2d(w * 0.8, h * 0.8), cv::Point2d(w * 0.2, h * 0.8)}) {
        session.PenTo(tap.x, tap.y, 0.0, 700);
        session.Lift();
    }
    session.PenTo(w * 0.3, h * 0.7);
    Sleep(2500);
    session.Lift();
}

void Print(const char* when, double minutes, const StreamStatus& stream) {
    std::printf("soak %s t=%.1fmin delivered=%lld skipped=%lld\n", when, minutes, stream.delivered, stream.skipped);
    std::fflush(stdout);
}

}  // namespace

E2E_SCENARIO(soak_tracking, "--rf", 7500) {
    TrackingSession session(report);
    if (!session.StartToTracking()) return;
    PenRound(session);  // first use of every path is behind us before the start figures
    StreamStatus start, now;
    if (!report.Check(ReadStreamStatus(&start), "start_figures")) return;
    const double began = ElapsedSeconds();
    const double minutes = SoakMinutes();
    Print("start", 0.0, start);
    int rounds = 0;
    double lastPrint = began;
    while (ElapsedSeconds() - began < minutes * 60.0 && session.Program().Running()) {
        PenRound(session);
        ++rounds;
        if (ElapsedSeconds() - lastPrint >= 300.0 && ReadStreamStatus(&now)) {
            Print("progress", (ElapsedSeconds() - began) / 60.0, now);
            lastPrint = ElapsedSeconds();
        }
    }
    if (!report.Check(session.Program().Running() && ReadStreamStatus(&now), "still_tracking")) return;
    Print("end", (ElapsedSeconds() - began) / 60.0, now);
    report.Figure("minutes", (ElapsedSeconds() - began) / 60.0, 1);
    report.Figure("pen_rounds", rounds, 0);
    report.Figure("frames_processed", static_cast<double>(now.delivered - start.delivered), 0);
    report.Figure("frames_skipped", static_cast<double>(now.skipped - start.skipped), 0);
    session.Finish();
}
