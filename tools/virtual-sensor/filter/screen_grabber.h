#pragma once
// Grabs the primary screen with GDI on its own thread, a few times a second (a grab costs about
// 20 ms under Xvfb, too much for every frame), and keeps the newest picture.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "base/unique_handle.h"

class ScreenGrabber {
public:
    explicit ScreenGrabber(double hz);
    ~ScreenGrabber();
    ScreenGrabber(const ScreenGrabber&) = delete;
    ScreenGrabber& operator=(const ScreenGrabber&) = delete;

    void SetRate(double hz) { periodMs_ = static_cast<DWORD>(1000.0 / hz); }
    // Waits until the first picture is there; false when it did not come in time.
    bool WaitForFirst(DWORD timeoutMs) const { return WaitForSingleObject(first_.Get(), timeoutMs) == WAIT_OBJECT_0; }

    // Hands the newest picture (32-bit BGRX, top row first) to `use` when it is newer than
    // `*sequence`, and advances `*sequence`. A zero sequence takes whatever is there.
    template <typename Use>
    bool UseLatest(uint64_t* sequence, Use use) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (sequence_ == 0 || sequence_ == *sequence) return false;
        use(pixels_.data(), width_, height_);
        *sequence = sequence_;
        return true;
    }

private:
    void Run();

    UniqueEvent stop_;
    UniqueEvent first_;
    std::atomic<DWORD> periodMs_;
    std::mutex mutex_;
    std::vector<uint8_t> pixels_;
    int width_ = 0, height_ = 0;
    uint64_t sequence_ = 0;
    std::thread thread_;
};
