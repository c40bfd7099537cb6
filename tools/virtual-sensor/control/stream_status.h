#pragma once
// What the sensor's stream has done so far, kept in status.txt beside the control file so that
// a long run can be watched from outside the program: frames delivered to the receiver, and
// frame times skipped because the receiver was still busy with an earlier frame.
#include <string>

struct StreamStatus {
    long long delivered = 0;
    long long skipped = 0;
};

std::wstring StreamStatusPath();
// Replaces the file whole, so a reader never sees half of it.
void WriteStreamStatus(const StreamStatus& status);
// False when there is no readable status yet.
bool ReadStreamStatus(StreamStatus* status);
