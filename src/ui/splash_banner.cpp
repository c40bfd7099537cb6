#include "ui/splash_banner.h"

namespace {

constexpr COLORREF kNoteColour = 0xD0FFFF;
constexpr COLORREF kShadowColour = 0x002020;
constexpr COLORREF kLetterColour = 0xDDFFFF;
constexpr wchar_t kNote[] = L"Initialize...";

UniqueFont MakeFont(int height, int weight) {
    return UniqueFont(CreateFontW(height, 0, 0, 0, weight, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
}

void DrawLine(HDC dc, const wchar_t* text, RECT rect, COLORREF colour, UINT format) {
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &rect, format | DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace

bool SplashBanner::Create(HWND window, const wchar_t* text, COLORREF background) {
    Release();
    const UniqueFont titleFont = MakeFont(100, 900);
    const UniqueFont noteFont = MakeFont(25, 300);
    const WindowDc windowDc(window);
    UniqueMemoryDc dc(CreateCompatibleDC(windowDc.Get()));
    if (!titleFont || !noteFont || !dc) return false;
    SetBkMode(dc.Get(), TRANSPARENT);

    RECT rect{0, 0, 0, 0};
    {
        SelectedObject font(dc.Get(), titleFont.Get());
        DrawTextW(dc.Get(), text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    }
    const int textHeight = rect.bottom - rect.top;
    const int width = rect.right - rect.left + 2 * textHeight;
    const int height = 2 * textHeight;
    UniqueBitmap bitmap(CreateCompatibleBitmap(windowDc.Get(), width, height));
    if (!bitmap) return false;
    SelectObject(dc.Get(), bitmap.Get());

    rect = {0, 0, width, height};
    const UniqueBrush brush(CreateSolidBrush(background));
    FillRect(dc.Get(), &rect, brush.Get());
    DrawEdge(dc.Get(), &rect, EDGE_ETCHED, BF_RECT);

    InflateRect(&rect, -30, -20);
    {
        SelectedObject font(dc.Get(), noteFont.Get());
        DrawLine(dc.Get(), kNote, rect, kNoteColour, DT_RIGHT | DT_BOTTOM);
    }
    rect.left += 70;
    {
        SelectedObject font(dc.Get(), titleFont.Get());
        DrawLine(dc.Get(), text, rect, kShadowColour, DT_VCENTER);
        OffsetRect(&rect, -2, -2);
        DrawLine(dc.Get(), text, rect, kLetterColour, DT_VCENTER);
    }
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    width_ = width;
    height_ = height;
    return true;
}

void SplashBanner::Draw(HDC target, int x, int y) const {
    if (dc_) BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

void SplashBanner::Release() {
    dc_.Reset();
    bitmap_.Reset();
    width_ = 0;
    height_ = 0;
}
