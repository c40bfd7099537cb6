#include "controller/mouse_values.h"

#include <windows.h>

namespace {

void Apply(const MouseValues& values) {
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(values.doubleClickTime),
                          nullptr, SPIF_SENDCHANGE);
    SystemParametersInfoW(SPI_SETDOUBLECLKWIDTH, static_cast<UINT>(values.doubleClickWidth),
                          nullptr, SPIF_SENDCHANGE);
    SystemParametersInfoW(SPI_SETDOUBLECLKHEIGHT, static_cast<UINT>(values.doubleClickHeight),
                          nullptr, SPIF_SENDCHANGE);
    SystemParametersInfoW(SPI_SETDRAGWIDTH, static_cast<UINT>(values.dragWidth), nullptr,
                          SPIF_SENDCHANGE);
    SystemParametersInfoW(SPI_SETDRAGHEIGHT, static_cast<UINT>(values.dragHeight), nullptr,
                          SPIF_SENDCHANGE);
}

}  // namespace

MouseValues MouseValues::Current() {
    MouseValues values;
    values.doubleClickWidth = GetSystemMetrics(SM_CXDOUBLECLK);
    values.doubleClickHeight = GetSystemMetrics(SM_CYDOUBLECLK);
    values.doubleClickTime = static_cast<int32_t>(GetDoubleClickTime());
    values.dragWidth = GetSystemMetrics(SM_CXDRAG);
    values.dragHeight = GetSystemMetrics(SM_CYDRAG);
    return values;
}

bool MouseValues::operator==(const MouseValues& other) const {
    return doubleClickWidth == other.doubleClickWidth &&
           doubleClickHeight == other.doubleClickHeight &&
           doubleClickTime == other.doubleClickTime && dragWidth == other.dragWidth &&
           dragHeight == other.dragHeight;
}

void MouseParameterSaver::Snapshot() {
    Restore();
    saved_ = MouseValues::Current();
    snapshotTaken_ = true;
    changed_ = false;
}

void MouseParameterSaver::Change() {
    if (changed_ || !snapshotTaken_) return;
    Apply(kTrackingMouseValues);
    changed_ = true;
}

void MouseParameterSaver::Restore() {
    if (!changed_) return;
    Apply(saved_);
    changed_ = false;
}
