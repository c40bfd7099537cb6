#pragma once
// One sensor control as the capture filter reported it, and the value last written to it.
#include <cstdint>

struct PropertyRecord {
    int32_t id;
    int32_t minimum;
    int32_t maximum;
    int32_t defaultValue;
    int32_t delta;
    int32_t value;
    int32_t valid;  // 1 when the device reported a range for the id
};
static_assert(sizeof(PropertyRecord) == 28, "PropertyRecord holds seven 32-bit fields");

// Brings a requested value into the record's range and stores it. False means nothing is to be
// written: the control has no range, or the value is out of range and the record already holds
// the nearest bound.
bool ClampIntoRecord(PropertyRecord& record, int value);
