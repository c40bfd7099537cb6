#include "pixel_canvas.h"

#include <cstdio>

namespace testsupport {

namespace {

// A top-down 32-bit picture of that size, in memory and in the saved file alike.
BITMAPINFOHEADER TopDownHeader(int width, int height) {
    return {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
}

HBITMAP CreateCanvasBitmap(int width, int height, uint32_t** bits) {
    BITMAPINFO info = {};
    info.bmiHeader = TopDownHeader(width, height);
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

}  // namespace

PixelCanvas::PixelCanvas(int width, int height)
    : width_(width),
      height_(height),
      bitmap_(CreateCanvasBitmap(width, height, &bits_)),
      dc_(CreateCompatibleDC(nullptr)),
      selected_(dc_.Get(), bitmap_.Get()) {}

COLORREF PixelCanvas::At(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
    GdiFlush();
    const uint32_t bgra = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

int PixelCanvas::Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) count += At(x, y) == colour;
    }
    return count;
}

bool PixelCanvas::CopyFromScreen(POINT origin) {
    const WindowDc screen(nullptr);
    return BitBlt(dc_.Get(), 0, 0, width_, height_, screen.Get(), origin.x, origin.y, SRCCOPY) != FALSE;
}

bool PixelCanvas::Save(const std::wstring& path) const {
    GdiFlush();
    const DWORD imageSize = static_cast<DWORD>(width_) * height_ * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    const BITMAPINFOHEADER header = TopDownHeader(width_, height_);
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    const bool written = fwrite(&file, sizeof file, 1, out) == 1 &&
                         fwrite(&header, sizeof header, 1, out) == 1 &&
                         fwrite(bits_, imageSize, 1, out) == 1;
    fclose(out);
    return written;
}


}  // namespace testsupport
