#pragma once
// A rectangle of pixels: columns x .. x+width-1, rows y .. y+height-1.
#include <algorithm>

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// The overlap of two rectangles; empty (all zero) when they do not overlap.
inline PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.Right(), b.Right());
    const int bottom = std::min(a.Bottom(), b.Bottom());
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

// The part of `rect` that lies inside a width x height image.
inline PixelRect ClipToImage(const PixelRect& rect, int width, int height) {
    return Intersect(rect, PixelRect{0, 0, width, height});
}
