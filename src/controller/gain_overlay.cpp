#include "controller/gain_overlay.h"

#include "base/window_binding.h"
#include "controller/controller.h"

namespace {

// The prompt shows which colour plane the sensor tracks.
COLORREF ChannelColour(int channel) {
    switch (channel) {
    case 0:
        return RGB(0, 0, 255);
    case 1:
        return RGB(0, 255, 0);
    default:
        return RGB(255, 0, 0);
    }
}

}  // namespace

LRESULT CALLBACK GainOverlayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers the whole client area
    case WM_PAINT: {
        PaintDc paint(window);
        RECT client;
        GetClientRect(window, &client);
        const auto* controller = BoundObject<const Controller*>(window, message, lParam);
        if (controller) {
            controller->PaintGainOverlay(paint.Get(), client);
        } else {
            FillRect(paint.Get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Controller::ShowGainOverlay() {
    HWND overlay = gainOverlay_.Get();
    if (!overlay) return;
    BindObject(overlay, this);
    SetWindowPos(overlay, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW);
    InvalidateRect(overlay, nullptr, TRUE);
}

void Controller::PaintGainOverlay(HDC dc, const RECT& client) const {
    const bool black = model_.pattern.Kind() == kPatternBlack;
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(black ? BLACK_BRUSH : WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ChannelColour(TrackGainRow().channel));
    RECT text = client;
    DrawTextW(dc, PromptText(Prompt::FindingGain), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
