#pragma once
// The system's double-click and drag sizes are widened while the pen tracks: a pen tip wobbles
// more than a mouse. The values in force at start are kept and written back afterwards.
#include <cstdint>

struct MouseValues {
    int32_t doubleClickWidth = 0;
    int32_t doubleClickHeight = 0;
    int32_t doubleClickTime = 0;
    int32_t dragWidth = 0;
    int32_t dragHeight = 0;

    // What the system uses now.
    static MouseValues Current();
    bool operator==(const MouseValues& other) const;
};

// The values the pen needs: 900 ms double-click time, 40-pixel double-click size, 20-pixel drag.
inline constexpr MouseValues kTrackingMouseValues = {40, 40, 900, 20, 20};

class MouseParameterSaver {
public:
    // Remembers the values in force now (after undoing a change of ours).
    void Snapshot();
    // Sets the tracking values, once; nothing before a snapshot exists (nothing to go back to).
    void Change();
    // Writes the snapshot back when the values were changed.
    void Restore();
    bool Changed() const { return changed_; }
    const MouseValues& Saved() const { return saved_; }

private:
    bool changed_ = false;
    bool snapshotTaken_ = false;
    MouseValues saved_;
};
