#pragma once
// What the display aspect dialog does with the values the user confirmed.
#include "settings/display_ratio_record.h"

struct AspectChange {
    bool store;             // some value differs: write the record
    bool needsRealignment;  // the caller must redo the alignment
};

// Values are compared as the 32-bit words the file holds, so a float is "changed" exactly when
// its stored bits would change. A change needs realignment when auto-detect is on or the size
// differs; switching auto-detect off alone does not.
AspectChange DecideAspectChange(const DisplayAspectRecord& stored, const DisplayAspectRecord& entered);
