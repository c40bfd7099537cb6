#pragma once
// A sensor buffer drawn by hand: bottom-up 24-bit rows padded to 4 bytes, like the renderer's.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "imaging/pixel_rect.h"

class SyntheticFrame {
public:
    SyntheticFrame(int width, int height) : width_(width), height_(height) {
        stride_ = (width * 3 + 3) & ~3;
        bytes_.assign(static_cast<size_t>(stride_) * height, 0);
    }

    BITMAPINFOHEADER Format() const {
        return {sizeof(BITMAPINFOHEADER), width_, height_, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    }

    const BYTE* Data() const { return bytes_.data(); }

    std::uint8_t& At(int x, int y, int channel) {
        return bytes_[static_cast<size_t>(y) * stride_ + 3 * x + channel];
    }
    void FillRect(const PixelRect& rect, int channel, std::uint8_t value) {
        for (int y = rect.y; y < rect.Bottom(); ++y)
            for (int x = rect.x; x < rect.Right(); ++x) At(x, y, channel) = value;
    }

private:
    int width_;
    int height_;
    int stride_;
    std::vector<std::uint8_t> bytes_;
};
