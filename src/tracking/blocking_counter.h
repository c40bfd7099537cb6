#pragma once
// Counts frames in which lit structures hid the pen and raises an alarm when they keep coming.

// Text of the alarm balloon.
inline constexpr wchar_t kBlockingAlarmText[] = L"Screen is Blocking !!!";

class BlockingCounter {
public:
    static constexpr int kAlarmAfter = 30;
    using Alarm = void (*)(void* context);

    // Who shows the alarm (the tray balloon); none by default.
    void SetAlarm(Alarm alarm, void* context);

    // A positive step counts a blocked frame, a negative one a clear frame (never below 0).
    // Past kAlarmAfter the count starts again at 0 and the alarm goes off; returns true then.
    bool ReportBlocking(int step);

    int Count() const { return count_; }

private:
    int count_ = 0;
    Alarm alarm_ = nullptr;
    void* context_ = nullptr;
};
