#pragma once
// Track's panel for tuning the screen correction by hand: which of the ten values is selected,
// what an arrow key does to it, when the values go to their file, and the lines it shows.
#include "alignment/screen_correction.h"

#include <windows.h>

#include <cstddef>

class TuningPanel {
public:
    static constexpr int kWidth = 130;
    static constexpr int kHeight = 200;
    // The first line starts this far inside the panel's top-left corner.
    static constexpr int kTextInset = 10;
    static constexpr int kLineCount = ScreenCorrection::kValueCount;
    static constexpr size_t kLineLength = 32;
    static constexpr COLORREF kSelectedColour = RGB(0, 0, 255);
    static constexpr COLORREF kLineColour = RGB(128, 128, 128);

    bool IsOpen() const { return open_; }
    int Selected() const { return selected_; }

    // Opening keeps the selection; true when the panel was closed before.
    bool Open();
    // Closing writes the values when they changed; true when the panel was open. A value
    // changed but not written (no file access) stays marked for the next close or shutdown.
    bool Close(ScreenCorrection& correction);
    // Closes (writing changes) and selects the first line again.
    void Reset(ScreenCorrection& correction);

    // Up and Down move the selection (wrapping), Left and Right lower or raise the selected
    // value by one step, ten with Ctrl held, a hundred with Shift held (Ctrl wins). True when
    // the panel's picture changed; a closed panel ignores every key.
    bool Adjust(WPARAM key, bool control, bool shift, ScreenCorrection& correction);

    // 130 x 200 pixels centred in the client area.
    static RECT Placement(const RECT& client);
    // "%02d= %8.4f" of the line number (1-10) and its value.
    static void LineText(const ScreenCorrection& correction, int line, wchar_t* text,
                         size_t length);
    COLORREF LineColour(int line) const {
        return line == selected_ ? kSelectedColour : kLineColour;
    }

private:
    bool open_ = false;
    int selected_ = 0;
};
