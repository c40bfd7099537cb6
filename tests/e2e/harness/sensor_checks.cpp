#include "sensor_checks.h"

bool StartSensorGraph(SensorGraph& graph, Report& report) {
    std::string step;
    const HRESULT built = graph.Build(320, 240, &step);
    if (!report.Check(SUCCEEDED(built), "graph_" + step)) return false;
    if (!report.Check(SUCCEEDED(graph.Run()), "run")) return false;
    std::vector<uint8_t> frame;
    return report.Check(graph.NextFrame(&frame, 5000), "first_frame");
}

void FinishSensorGraph(SensorGraph& graph, Report& report) {
    graph.Release();
    const long live = SensorLiveObjects();
    report.Figure("live_objects", live, 0);
    report.Check(live == 0, "live_objects_left");
}

bool SettledFrame(SensorGraph& graph, DWORD settleMs, std::vector<uint8_t>* frame) {
    Sleep(settleMs);
    return graph.NextFrame(frame, 2000);
}
