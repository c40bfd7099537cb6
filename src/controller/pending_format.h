#pragma once
// A frame layout announced on the frame thread and not yet taken by the UI thread; no frame is
// looked at meanwhile.
#include <windows.h>

#include <atomic>
#include <mutex>

class PendingFormat {
public:
    void Announce(const BITMAPINFOHEADER& format) {
        {
            const std::lock_guard<std::mutex> lock(lock_);
            format_ = format;
        }
        pending_ = true;
    }
    bool Pending() const { return pending_; }
    BITMAPINFOHEADER Format() {
        const std::lock_guard<std::mutex> lock(lock_);
        return format_;
    }
    // Once the new planes are made.
    void Taken() { pending_ = false; }

private:
    std::atomic<bool> pending_{false};
    std::mutex lock_;
    BITMAPINFOHEADER format_ = {};
};
