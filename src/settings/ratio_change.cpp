#include "settings/ratio_change.h"

#include <cstdint>
#include <cstring>

namespace {

uint32_t StoredWord(float value) {
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    return word;
}

}  // namespace

AspectChange DecideAspectChange(const DisplayAspectRecord& stored, const DisplayAspectRecord& entered) {
    const bool sizeChanged = StoredWord(stored.width) != StoredWord(entered.width) ||
                             StoredWord(stored.height) != StoredWord(entered.height);
    const bool autoDetectChanged = stored.autoDetect != entered.autoDetect;
    if (!sizeChanged && !autoDetectChanged) return {false, false};
    return {true, entered.autoDetect != 0 || sizeChanged};
}
