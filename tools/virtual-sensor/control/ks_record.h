#pragma once
// The record the sensor's kernel-streaming driver keeps of the property requests it was sent:
// ks-requests.txt beside the control file, one line per request ("camera exposure set value=-5
// flags=manual"), oldest first, with "driver started" at every Wine start.
#include <string>
#include <vector>

std::wstring KsRecordPath();
// The lines so far; empty when there is no record yet.
std::vector<std::string> ReadKsRecord();
