#include "pattern_window.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"TavroE2EPattern";

void Paint(HWND window, Pattern pattern) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    const COLORREF background = pattern == Pattern::White || pattern == Pattern::Chessboard ? RGB(255, 255, 255)
                                : pattern == Pattern::Grey ? RGB(128, 128, 128)
                                                           : RGB(0, 0, 0);
    UniqueBrush fill(CreateSolidBrush(background));
    FillRect(dc, &area, fill.Get());
    if (pattern == Pattern::Chessboard) {
        UniqueBrush black(CreateSolidBrush(RGB(0, 0, 0)));
        const PatternWindow::Board board = PatternWindow::BoardLayout(area.right, area.bottom);
        for (int row = 0; row < PatternWindow::kRows; ++row)
            for (int column = 0; column < PatternWindow::kColumns; ++column) {
                if ((row + column) % 2 != 0) continue;
                const int x = board.left + column * board.square, y = board.top + row * board.square;
                RECT square = {x, y, x + board.square, y + board.square};
                FillRect(dc, &square, black.Get());
            }
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK PatternProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(window, static_cast<Pattern>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

PatternWindow::Board PatternWindow::BoardLayout(int screenWidth, int screenHeight) {
    const int square = std::min(screenWidth / (kColumns + 2), screenHeight / (kRows + 2));
    return {(screenWidth - kColumns * square) / 2, (screenHeight - kRows * square) / 2, square};
}

PatternWindow::PatternWindow(Pattern pattern)
    : pattern_(pattern), shown_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
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
    windowClass.lpfnWndProc = PatternProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    if (!window_) {
        SetEvent(shown_.Get());
        return;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, static_cast<LONG_PTR>(pattern_));
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    GdiFlush();
    SetEvent(shown_.Get());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
