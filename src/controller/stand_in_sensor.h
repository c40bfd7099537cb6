#pragma once
// A frame source that delivers plain grey 24-bit frames at 30 per second on its own thread,
// through the same FrameSink contract and with the same operations the Controller uses on a
// sensor device. It lets the program run where no sensor device layer is present.
#include "app/unique_handle.h"
#include "controller/frame_sink.h"

#include <windows.h>

#include <cstddef>
#include <thread>
#include <vector>

class StandInSensor {
public:
    StandInSensor() = default;
    ~StandInSensor() { Close(); }
    StandInSensor(const StandInSensor&) = delete;
    StandInSensor& operator=(const StandInSensor&) = delete;

    // Calls PrepareFrame on this thread, then delivers frames on another; nonzero on success.
    int Start(HWND notifyWindow, FrameSink* sink, int width, int height);
    // Stops delivery; safe in any state. Returns after the last frame call has returned.
    void Close();
    // Whether the pending graph event reports the loss of the device; never for this source.
    bool CheckDeviceLost() const { return false; }
    // "0x%0x\n%s" of the last result; true when the last result is 0.
    bool LastMessage(wchar_t* text, size_t capacity) const;

private:
    void Deliver();

    FrameSink* sink_ = nullptr;
    std::vector<BYTE> frame_;
    UniqueEvent stop_;
    std::thread thread_;
    HRESULT lastResult_ = S_OK;
};
