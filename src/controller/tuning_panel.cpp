#include "controller/tuning_panel.h"

#include <algorithm>
#include <cwchar>

bool TuningPanel::Open() {
    const bool wasClosed = !open_;
    open_ = true;
    return wasClosed;
}

bool TuningPanel::Close(ScreenCorrection& correction) {
    if (!open_) return false;
    open_ = false;
    if (correction.modified) SaveScreenCorrection(correction);
    return true;
}

void TuningPanel::Reset(ScreenCorrection& correction) {
    Close(correction);
    selected_ = 0;
}

bool TuningPanel::Adjust(WPARAM key, bool control, bool shift, ScreenCorrection& correction) {
    if (!open_) return false;
    switch (key) {
    case VK_UP:
        selected_ = (selected_ + kLineCount - 1) % kLineCount;
        return true;
    case VK_DOWN:
        selected_ = (selected_ + 1) % kLineCount;
        return true;
    case VK_LEFT:
    case VK_RIGHT: {
        const float steps = control ? 10.0f : shift ? 100.0f : 1.0f;
        const float direction = key == VK_LEFT ? -1.0f : 1.0f;
        float& value = correction.values[selected_];
        const float changed =
            std::clamp(value + direction * steps * ScreenCorrection::StepOf(selected_),
                       -ScreenCorrection::kValueLimit, ScreenCorrection::kValueLimit);
        if (changed == value) return false;
        value = changed;
        correction.modified = true;
        return true;
    }
    default:
        return false;
    }
}

RECT TuningPanel::Placement(const RECT& client) {
    const LONG left = (client.left + client.right - kWidth) / 2;
    const LONG top = (client.top + client.bottom - kHeight) / 2;
    return {left, top, left + kWidth, top + kHeight};
}

void TuningPanel::LineText(const ScreenCorrection& correction, int line, wchar_t* text,
                           size_t length) {
    swprintf(text, length, L"%02d= %8.4f", line + 1,
             static_cast<double>(correction.values[line]));
}
