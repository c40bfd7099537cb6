#include "alignment/fitted_poses.h"

#include <cstring>

FittedPoses::FittedPoses(size_t capacity) : entries_(capacity) {}

void FittedPoses::Clear() {
    for (Entry& entry : entries_) entry.used = false;
    count_ = 0;
    hasLatest_ = false;
}

FittedPoses::Key FittedPoses::MakeKey(const DetectorProfile& lens, float factor) {
    Key key;
    const float values[kKeyWords] = {lens.fx, lens.fy, lens.cx, lens.cy, lens.k1,
                                     lens.k2, lens.p1, lens.p2, factor};
    std::memcpy(key.words, values, sizeof key.words);
    return key;
}

size_t FittedPoses::SlotOf(const Key& key) const {
    uint64_t hash = 1469598103934665603ull;
    for (uint32_t word : key.words) hash = (hash ^ word) * 1099511628211ull;
    size_t slot = static_cast<size_t>(hash % entries_.size());
    while (entries_[slot].used &&
           std::memcmp(entries_[slot].key, key.words, sizeof key.words) != 0)
        slot = (slot + 1) % entries_.size();
    return slot;
}

bool FittedPoses::Find(const DetectorProfile& lens, float factor, bool& fitted,
                       CameraPose& pose) const {
    if (entries_.empty()) return false;
    const Entry& entry = entries_[SlotOf(MakeKey(lens, factor))];
    if (!entry.used) return false;
    fitted = entry.fitted;
    pose = entry.pose;
    return true;
}

void FittedPoses::Remember(const DetectorProfile& lens, float factor, bool fitted,
                           const CameraPose& pose) {
    if (fitted) {
        latest_ = pose;
        hasLatest_ = true;
    }
    // Open addressing needs free slots to end its probes.
    if (count_ + 1 >= entries_.size() * 3 / 4) return;
    const Key key = MakeKey(lens, factor);
    Entry& entry = entries_[SlotOf(key)];
    if (entry.used) return;
    std::memcpy(entry.key, key.words, sizeof key.words);
    entry.used = true;
    entry.fitted = fitted;
    entry.pose = pose;
    ++count_;
}
