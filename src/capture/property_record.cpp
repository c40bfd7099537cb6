#include "capture/property_record.h"

int ClampIntoRecord(PropertyRecord& record, int value) {
    if (!record.valid) return 0;
    if (value >= record.minimum && value <= record.maximum) {
        record.value = value;
        return 1;
    }
    const int bound = value < record.minimum ? record.minimum : record.maximum;
    if (record.value == bound) return 0;
    record.value = bound;
    return 1;
}
