#include "pattern_window.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"TavroE2EPattern";

}  // namespace

PatternWindow::Board PatternWindow::BoardLayout(int screenWidth, int screenHeight) {
    const int square = std::min(screenWidth / (kColumns + 2), screenHeight / (kRows + 2));
    return {(screenWidth - kColumns * square) / 2, (screenHeight - kRows * square) / 2, square};
}

PatternWindow::PatternWindow(Pattern pattern, const RECT& area)
    : pattern_(pattern), area_(area), shown_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (IsRectEmpty(&area_)) area_ = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    thread_ = std::thread(&PatternWindow::Run, this);
    WaitForSingleObject(shown_.Get(), 5000);
    Sleep(300);  // the sensor grabs the screen a few times a second
}

PatternWindow::~PatternWindow() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
}

void PatternWindow::Run() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    // A target is shown without being activated, as the program under test keeps the foreground.
    const bool target = pattern_ == Pattern::Target;
    window_ = CreateWindowExW(WS_EX_TOPMOST | (target ? 0 : WS_EX_TOOLWINDOW), kClassName, L"Target",
                              WS_POPUP | (target ? WS_BORDER | WS_VISIBLE : 0), area_.left, area_.top,
                              area_.right - area_.left, area_.bottom - area_.top, nullptr, nullptr,
                              windowClass.hInstance, this);
    if (!window_) {
        SetEvent(shown_.Get());
        return;
    }
    if (!target) ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    GdiFlush();
    SetEvent(shown_.Get());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PatternWindow::Paint(HWND window) const {
    const PaintDc paint(window);
    HDC dc = paint.Get();
    RECT area;
    GetClientRect(window, &area);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (pattern_ == Pattern::Chessboard) {
        const Board board = BoardLayout(area.right, area.bottom);
        for (int row = 0; row < kRows; ++row)
            for (int column = (row % 2); column < kColumns; column += 2) {
                const int x = board.left + column * board.square, y = board.top + row * board.square;
                RECT square = {x, y, x + board.square, y + board.square};
                FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            }
    }
}

LRESULT CALLBACK PatternWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PatternWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        self->Paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & MK_LBUTTON) {
            // The stroke shows up on the target, for the screenshots.
            WindowDc dc(window);
            SetPixel(dc.Get(), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)),
                     RGB(0, 0, 160));
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
