#pragma once
// Steps the sensor scenarios share.
#include "scenario.h"
#include "sensor_graph.h"

// Builds the 320 x 240 graph, runs it and waits for the first frame.
bool StartSensorGraph(SensorGraph& graph, Report& report);
// Releases the graph and checks that no object of the sensor DLL is left alive.
void FinishSensorGraph(SensorGraph& graph, Report& report);
// The newest frame after `settleMs` (control and picture changes take a frame or two).
bool SettledFrame(SensorGraph& graph, DWORD settleMs, std::vector<uint8_t>* frame);
