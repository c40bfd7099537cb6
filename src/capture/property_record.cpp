#include "capture/property_record.h"

bool ClampIntoRecord(PropertyRecord& record, int value) {
    if (!record.valid) return false;
    if (value >= record.minimum && value <= record.maximum) {
        record.value = value;
        return true;
    }
    const int bound = value < record.minimum ? record.minimum : record.maximum;
    if (record.value == bound) return false;
    record.value = bound;
    return true;
}
