#include "settings/text_scrambling.h"

static_assert(sizeof(wchar_t) == 2, "texts are stored as UTF-16 code units");

bool UnscrambleText(wchar_t* slot, size_t slotLength) {
    for (size_t i = 0; i < slotLength; ++i) {
        if (slot[i] == 0) return true;
        slot[i] = static_cast<wchar_t>(slot[i] - kTextScrambleOffset);
        if (slot[i] == 0) return true;
    }
    return false;
}

bool ScrambleText(wchar_t* slot, size_t slotLength) {
    size_t length = 0;
    while (length < slotLength && slot[length] != 0) {
        if (static_cast<wchar_t>(slot[length] + kTextScrambleOffset) == 0) return false;
        ++length;
    }
    if (length == slotLength) return false;
    for (size_t i = 0; i < length; ++i) slot[i] = static_cast<wchar_t>(slot[i] + kTextScrambleOffset);
    return true;
}
