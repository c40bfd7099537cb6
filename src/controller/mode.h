#pragma once
// The Controller's working state: which Mode it is in and how far each Mode's steps have got.
#include <cstdint>

enum class Mode : int32_t {
    NoSensor = 0,
    Initializing = 1,
    Starting = 2,
    Initialized = 3,
    Idle = 4,
    AutoAlignment = 5,
    ManualAlignment = 6,
    FindGain = 7,
    Track = 8,
    // Only ever requested: becomes ManualAlignment or AutoAlignment by the option.
    DefaultAlignment = 11,
};

inline bool IsBelow(Mode a, Mode b) { return static_cast<int32_t>(a) < static_cast<int32_t>(b); }

// Results of the per-frame steps of the alignment, gain-finding and tracking Modes.
enum class StepResult : int {
    Failed = 0,
    KeepGoing = 1,
    Redo = 3,
    CloseApplication = 4,
    Succeeded = 5,
};

struct ModeRecord {
    Mode mode = Mode::NoSensor;
    int32_t autoAlignmentStep = 0;
    int32_t trackingStep = 0;
    int32_t manualAlignmentStep = 0;
    // Kept across Mode changes.
    int32_t alignmentUsable = 0;   // an alignment of grade Coarse or better is in force
    int32_t gainFound = 0;         // a gain was found since the last alignment

    // A new Mode starts its steps from nothing; the two flags stay.
    void ChangeMode(Mode next) {
        const int32_t usable = alignmentUsable;
        const int32_t found = gainFound;
        *this = ModeRecord{};
        mode = next;
        alignmentUsable = usable;
        gainFound = found;
    }

    // While the current step keeps the user waiting no other Mode can be asked for.
    bool IsBusy() const {
        switch (mode) {
        case Mode::Initialized:
        case Mode::Idle:
        case Mode::Track:
            return false;
        case Mode::AutoAlignment:
            return autoAlignmentStep != 1;
        case Mode::ManualAlignment:
            return manualAlignmentStep != 1 && manualAlignmentStep != 5 && manualAlignmentStep != 8;
        default:
            return true;
        }
    }

    // Whether a working Mode may be entered now. Gain finding also starts on a stored alignment
    // good enough to re-apply (`storedAlignmentUsable`).
    bool CanEnter(Mode target, bool storedAlignmentUsable) const {
        if (IsBusy() || IsBelow(target, Mode::Idle) || IsBelow(Mode::Track, target)) return false;
        if (IsBelow(mode, Mode::Initialized)) return false;
        switch (target) {
        case Mode::FindGain:
            return mode != Mode::FindGain && (alignmentUsable || storedAlignmentUsable);
        case Mode::Track:
            return mode != Mode::Track && gainFound;
        default:
            return true;
        }
    }
};
