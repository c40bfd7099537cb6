#include "screen_grabber.h"

#include <cstring>

ScreenGrabber::ScreenGrabber(double hz)
    : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), first_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      periodMs_(static_cast<DWORD>(1000.0 / hz)) {
    thread_ = std::thread(&ScreenGrabber::Run, this);
}

ScreenGrabber::~ScreenGrabber() {
    SetEvent(stop_.Get());
    thread_.join();
}

void ScreenGrabber::Run() {
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bitmap;
    void* bits = nullptr;
    int width = 0, height = 0;
    do {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        if (w <= 0 || h <= 0) continue;
        if (w != width || h != height) {
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = w;
            info.bmiHeader.biHeight = -h;  // top row first
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            bitmap.Reset(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
            if (!bitmap) continue;
            width = w;
            height = h;
        }
        {
            SelectedObject selected(memory.Get(), bitmap.Get());
            BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        std::lock_guard<std::mutex> lock(mutex_);
        const size_t bytes = static_cast<size_t>(width) * height * 4;
        pixels_.resize(bytes);
        std::memcpy(pixels_.data(), bits, bytes);
        width_ = width;
        height_ = height;
        ++sequence_;
        SetEvent(first_.Get());
    } while (WaitForSingleObject(stop_.Get(), periodMs_) == WAIT_TIMEOUT);
}
