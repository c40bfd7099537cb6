#pragma once
// What the program knows about the sensor it looks for, and the states of the capture side that
// its users read.

// The identity texts of the parameter file (each at most 259 characters).
struct SensorIdentity {
    const wchar_t* vidPid;       // must occur in the device's moniker name and instance id
    const wchar_t* userName;     // friendly name of a correctly installed sensor
    const wchar_t* defaultName;  // friendly name while the program's own driver is not in place
};

enum class SensorMatch : int { NotFound = 0, Failed = 1, OtherName = 2, DefaultName = 3, Matched = 4 };

enum class GraphState : int { None = 0, Built = 1, Stopped = 2, Running = 4 };

// The subtype set on the sensor's capture pin.
enum class CaptureFormat : int { None = 0, Rgb24 = 1, Yuy2 = 2, Mjpg = 3 };
