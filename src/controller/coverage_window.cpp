#include "controller/coverage_window.h"

#include "base/program_names.h"
#include "base/unique_handle.h"
#include "base/window_binding.h"
#include "ui/messages.h"
#include "ui/resource_text.h"

namespace {

constexpr COLORREF kOutOfView = RGB(0, 128, 0);

LRESULT CALLBACK CoverageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* outline = BoundObject<const SensorViewOutline*>(window, message, lParam);
    if (message == WM_PAINT) {
        PaintDc paint(window);
        HDC dc = paint.Get();
        RECT client;
        GetClientRect(window, &client);
        UniqueBrush green(CreateSolidBrush(kOutOfView));
        FillRect(dc, &client, green.Get());
        if (outline) {
            UniqueRegion view(CreatePolygonRgn(outline->data(), static_cast<int>(outline->size()),
                                               ALTERNATE));
            if (view) FillRgn(dc, view.Get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        return 0;
    } else if (message == WM_ERASEBKGND) {
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Registers the picture's class for the holder's life.
class CoverageClass {
public:
    CoverageClass() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = CoverageWindowProcedure;
        windowClass.hInstance = ExecutableModule();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kCoverageWindowClassName;
        registered_ = RegisterClassW(&windowClass) != 0;
    }
    ~CoverageClass() {
        if (registered_) UnregisterClassW(kCoverageWindowClassName, ExecutableModule());
    }
    CoverageClass(const CoverageClass&) = delete;
    CoverageClass& operator=(const CoverageClass&) = delete;
    bool Registered() const { return registered_; }

private:
    bool registered_ = false;
};

}  // namespace

bool AskCoverageOverPicture(HWND main, const SensorViewOutline& outline) {
    const CoverageClass windowClass;
    UniqueWindow picture;
    if (windowClass.Registered()) {
        // Desktop points are screen points: the window covers the screen from (0, 0).
        picture.Reset(CreateWindowExW(WS_EX_TOPMOST, kCoverageWindowClassName, L"", WS_POPUP, 0, 0,
                                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                      main, nullptr, ExecutableModule(),
                                      const_cast<SensorViewOutline*>(&outline)));
    }
    if (picture) {
        ShowWindow(picture.Get(), SW_SHOW);
        UpdateWindow(picture.Get());
    }
    return AskCoverageRealign(picture ? picture.Get() : main);
}
