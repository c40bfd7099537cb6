#pragma once
// Poses fitted during one board evaluation, looked up by the lens and the aspect factor they
// were fitted with. The refinement searches come back to the same trial again and again (the
// passes share their centres, the grids of the principal-point steps overlap, and every
// weighting mode repeats the searches), while the fit itself does not depend on the weighting;
// a remembered pose stands in for fitting the very same points once more.
#include "settings/detector_profile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class FittedPoses {
public:
    // Room is made once; when it is used up further fits are simply not remembered.
    explicit FittedPoses(size_t capacity = 4096);

    void Clear();
    // True when a fit with exactly this lens and factor was remembered; `fitted` tells whether
    // it gave a pose, and `pose` is that pose.
    bool Find(const DetectorProfile& lens, float factor, bool& fitted, CameraPose& pose) const;
    void Remember(const DetectorProfile& lens, float factor, bool fitted, const CameraPose& pose);
    size_t Count() const { return count_; }
    // The pose of the latest fit that gave one, a good start for the next trial's fit.
    const CameraPose* Latest() const { return hasLatest_ ? &latest_ : nullptr; }

private:
    static constexpr int kKeyWords = 9;  // A..H of the lens and the factor, bit for bit
    struct Entry {
        uint32_t key[kKeyWords];
        bool used;
        bool fitted;
        CameraPose pose;
    };
    struct Key {
        uint32_t words[kKeyWords];
    };
    static Key MakeKey(const DetectorProfile& lens, float factor);
    // The slot holding the key, or the empty slot where it would go.
    size_t SlotOf(const Key& key) const;

    std::vector<Entry> entries_;
    size_t count_ = 0;
    bool hasLatest_ = false;
    CameraPose latest_{};
};
