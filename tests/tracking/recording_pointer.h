#pragma once
// Stands in for PointerInput: records every event it is asked to send.
#include <algorithm>
#include <string>
#include <vector>

struct PointerEvent {
    std::string kind;  // "press", "move", "release", "right"
    float x;
    float y;
    friend bool operator==(const PointerEvent& a, const PointerEvent& b) { return a.kind == b.kind && a.x == b.x && a.y == b.y; }
};
using PointerEvents = std::vector<PointerEvent>;

class RecordingPointer {
public:
    bool LeftHeld() const { return held_; }
    void Press(float x, float y) {
        held_ = true;
        events.push_back({"press", x, y});
    }
    void MoveTo(float x, float y) { events.push_back({"move", x, y}); }
    unsigned Release(float x, float y) {
        if (!held_) return 0;
        held_ = false;
        events.push_back({"release", x, y});
        return 1;
    }
    void RightClick(float x, float y) { events.push_back({"right", x, y}); }
    void ForgetPosition() { ++forgotten; }

    long Count(const std::string& kind) const {
        return std::count_if(events.begin(), events.end(),
                             [&kind](const PointerEvent& event) { return event.kind == kind; });
    }

    std::vector<PointerEvent> events;
    int forgotten = 0;

private:
    bool held_ = false;
};
