#pragma once
// The drawn start-up banner used when "splash.jpg" cannot be shown: the company name in large
// letters with a shadow, and "Initialize..." in the corner, on a coloured card.
#include <windows.h>

#include "base/unique_handle.h"

class SplashBanner {
public:
    // The banner is the text's width plus twice its height, by twice its height; drawn for the
    // device context of `window` (null: the screen).
    bool Create(HWND window, const wchar_t* text, COLORREF background);
    void Release();

    // The banner's memory device context, for copying it with BitBlt; null before Create.
    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Draw(HDC target, int x, int y) const;

private:
    // Declared first so that it outlives the device context it is selected into.
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    int width_ = 0;
    int height_ = 0;
};
