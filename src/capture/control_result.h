#pragma once
// The outcome of a request to one of the sensor's controls.

enum class ControlResult {
    Done,    // the device took the request (and, for a write, answered the read-back)
    Failed,  // nothing to write, no device, or the device refused
};
