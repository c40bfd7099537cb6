#include "tracking/blocking_counter.h"

void BlockingCounter::SetAlarm(Alarm alarm, void* context) {
    alarm_ = alarm;
    context_ = context;
}

bool BlockingCounter::ReportBlocking(int step) {
    if (step > 0) ++count_;
    if (step < 0 && count_ > 0) --count_;
    if (count_ <= kAlarmAfter) return false;
    count_ = 0;
    if (alarm_) alarm_(context_);
    return true;
}
