#pragma once
// SetupAPI lists are walked by index until ERROR_NO_MORE_ITEMS. Another error skips that item,
// but a list that keeps failing is given up: a broken list (a stale handle, devices going away
// under the walk) would otherwise hold the caller forever.
#include <windows.h>

class SetupItemWalk {
public:
    // Failed items in a row after which the list is given up.
    static constexpr int kFailuresInARow = 16;

    // After an item could not be read: true when the walk goes on with the next index.
    bool SkipFailed(DWORD error) {
        return error != ERROR_NO_MORE_ITEMS && ++failuresInARow_ < kFailuresInARow;
    }
    // After an item was read.
    void Read() { failuresInARow_ = 0; }

private:
    int failuresInARow_ = 0;
};
