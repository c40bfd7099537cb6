#pragma once
// A 32-bit picture in memory that code under test draws into (or the screen is copied into),
// read back pixel by pixel and saved as a .bmp under the build folder for a look.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/unique_handle.h"
#include "test_support.h"

namespace testsupport {

class PixelCanvas {
public:
    PixelCanvas(int width, int height);

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel as a COLORREF (0x00BBGGRR); 0xFFFFFFFF outside the canvas.
    COLORREF At(int x, int y) const;
    // The pixels row by row from the top, 0x00RRGGBB each; null when the canvas could not be made.
    const uint32_t* Bits() const {
        GdiFlush();
        return bits_;
    }
    // Pixels of exactly that colour inside the area (right and bottom exclusive).
    int Count(const RECT& area, COLORREF colour) const;
    // Copies the screen area whose top-left is at `origin` into the canvas.
    bool CopyFromScreen(POINT origin);
    // Writes a .bmp file; true on success.
    bool Save(const std::wstring& path) const;

private:
    int width_;
    int height_;
    uint32_t* bits_ = nullptr;  // before the bitmap, which sets it
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    SelectedObject selected_;
};

}  // namespace testsupport
