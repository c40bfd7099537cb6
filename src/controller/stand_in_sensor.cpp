#include "controller/stand_in_sensor.h"

#include <cwchar>

namespace {
constexpr DWORD kFrameIntervalMs = 33;
}

int StandInSensor::Start(HWND, FrameSink* sink, int width, int height) {
    Close();
    if (!sink || width <= 0 || height <= 0) {
        lastResult_ = E_INVALIDARG;
        return 0;
    }
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_) {
        lastResult_ = HRESULT_FROM_WIN32(GetLastError());
        return 0;
    }
    BITMAPINFOHEADER format = {};
    format.biSize = sizeof format;
    format.biWidth = width;
    format.biHeight = height;
    format.biPlanes = 1;
    format.biBitCount = 24;
    format.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    format.biSizeImage = static_cast<DWORD>(stride * height);
    frame_.assign(format.biSizeImage, 0x40);
    sink_ = sink;
    sink_->PrepareFrame(format);
    thread_ = std::thread([this] { Deliver(); });
    lastResult_ = S_OK;
    return 1;
}

void StandInSensor::Deliver() {
    while (WaitForSingleObject(stop_.Get(), kFrameIntervalMs) == WAIT_TIMEOUT) {
        sink_->OnFrame(frame_.data());
    }
}

void StandInSensor::Close() {
    if (thread_.joinable()) {
        SetEvent(stop_.Get());
        thread_.join();
    }
    stop_.Reset();
    sink_ = nullptr;
}

bool StandInSensor::LastMessage(wchar_t* text, size_t capacity) const {
    if (text && capacity > 0) {
        swprintf(text, capacity, L"0x%0x\n%s", static_cast<unsigned>(lastResult_),
                 lastResult_ == S_OK ? L"The operation completed." : L"Cannot start the frame source.");
    }
    return lastResult_ == S_OK;
}
