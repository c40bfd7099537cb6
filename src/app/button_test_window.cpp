#include "app/button_test_window.h"

#include "base/unique_handle.h"
#include "base/window_binding.h"
#include "resources/resource_ids.h"
#include "ui/resource_text.h"

#include <algorithm>
#include <cwchar>
#include <memory>

namespace {

// WS_DLGFRAME | WS_SYSMENU and the low style bit the window has always had.
constexpr DWORD kWindowStyle = 0x00480008;
constexpr COLORREF kLastChangedColour = RGB(255, 0, 0);
constexpr COLORREF kCountColour = RGB(0x40, 0x40, 0x40);
constexpr int kMargin = 10;
constexpr int kColumns = 2;
constexpr int kRows = 4;

std::unique_ptr<ButtonTestWindow> g_open;
int g_lastChangedCell = -1;

SIZE MeasureText(HDC dc, const wchar_t* text) {
    RECT measured = {};
    DrawTextW(dc, text, -1, &measured, DT_CALCRECT);
    return {measured.right - measured.left, measured.bottom - measured.top};
}

std::wstring HintText() {
    return L"\n" + LoadText(IDS_BUTTON_TEST_HINT_PAIRING) + L"\n\n" + LoadText(IDS_BUTTON_TEST_HINT_BATTERY) + L"\n";
}

}  // namespace

ButtonTestWindow::ButtonTestWindow(HWND owner) : owner_(owner) {}

bool ButtonTestWindow::Open(HWND owner, const wchar_t* title, HICON icon) {
    Close();
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kButtonTestClassName;
    if (!RegisterClassW(&windowClass)) return false;
    g_open.reset(new ButtonTestWindow(owner));
    if (!g_open->Create(title)) {
        g_open.reset();
        UnregisterClassW(kButtonTestClassName, GetModuleHandleW(nullptr));
        return false;
    }
    return true;
}

void ButtonTestWindow::Close() {
    if (g_open) SendMessageW(g_open->window_, WM_CLOSE, 0, 0);
}

ButtonTestWindow* ButtonTestWindow::Current() {
    return g_open.get();
}

int ButtonTestWindow::LastChangedCell() {
    return g_lastChangedCell;
}

bool ButtonTestWindow::Create(const wchar_t* title) {
    hint_ = HintText();
    SIZE label = {0, 0};
    SIZE hint = {0, 0};
    {
        WindowDc dc(owner_);
        for (int i = 0; i < ButtonTestCells::kCellCount; ++i) {
            const SIZE size = MeasureText(dc.Get(), ButtonTestCells::Label(i));
            label.cx = std::max(label.cx, size.cx);
            label.cy = std::max(label.cy, size.cy);
        }
        hint = MeasureText(dc.Get(), hint_.c_str());
    }
    const SIZE client = {std::max((label.cx + 20) * 6, hint.cx + 20),
                         hint.cy + 20 + label.cy * 12};
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRect(&frame, kWindowStyle, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_ = CreateWindowExW(0, kButtonTestClassName, title, kWindowStyle, x, y, width, height,
                              owner_, nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) return false;
    Layout(client, hint.cy + 20);
    SetCursorPos(x + width / 2, y + height / 2);
    ShowWindow(window_, SW_SHOW);
    EnableWindow(owner_, FALSE);
    // The pen's keys must arrive here, not at the disabled owner.
    SetForegroundWindow(window_);
    SetFocus(window_);
    return true;
}

void ButtonTestWindow::Layout(SIZE client, int hintHeight) {
    hintRect_ = {0, 0, client.cx, hintHeight};
    const int top = hintRect_.bottom + 1;
    const int cellWidth = client.cx / kColumns;
    const int cellHeight = (client.cy - top) / kRows;
    for (int i = 0; i < ButtonTestCells::kCellCount; ++i) {
        const int left = (i % kColumns) * cellWidth;
        const int cellTop = top + (i / kColumns) * cellHeight;
        cellRects_[i] = {left, cellTop, left + cellWidth, cellTop + cellHeight};
        labelRects_[i] = {left, cellTop, left + cellWidth / 3, cellTop + cellHeight};
    }
}

void ButtonTestWindow::Paint(HDC dc) const {
    FillRect(dc, &hintRect_, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kHintColour);
    RECT hint = hintRect_;
    InflateRect(&hint, -kMargin, -kMargin);
    DrawTextW(dc, hint_.c_str(), -1, &hint, DT_LEFT);
    for (int i = 0; i < ButtonTestCells::kCellCount; ++i) PaintCell(dc, i);
}

void ButtonTestWindow::PaintCell(HDC dc, int index) const {
    RECT label = labelRects_[index];
    SetTextColor(dc, RGB(0, 0, 0));
    // Inside the etched edge, not on it.
    RECT text = label;
    InflateRect(&text, -kMargin, 0);
    DrawTextW(dc, ButtonTestCells::Label(index), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DrawEdge(dc, &label, EDGE_ETCHED, BF_RECT);

    RECT count = cellRects_[index];
    count.left = label.right;
    FillRect(dc, &count, GetSysColorBrush(COLOR_BTNFACE));
    const ButtonTestCells::Cell& cell = cells_.At(index);
    wchar_t number[16];
    swprintf(number, sizeof number / sizeof number[0], L"%d", cell.count);
    SetTextColor(dc, index == g_lastChangedCell ? kLastChangedColour : kCountColour);
    DrawTextW(dc, number, -1, &count, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DrawEdge(dc, &count, cell.pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void ButtonTestWindow::InvalidateCell(int index) const {
    if (index < 0 || index >= ButtonTestCells::kCellCount) return;
    InvalidateRect(window_, &cellRects_[index], TRUE);
}

void ButtonTestWindow::OnInput(UINT message, WPARAM wParam) {
    const int changed = cells_.OnMessage(message, wParam);
    if (changed < 0) return;
    InvalidateCell(g_lastChangedCell);
    InvalidateCell(changed);
    g_lastChangedCell = changed;
}

LRESULT CALLBACK ButtonTestWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    ButtonTestWindow* self = BoundObject<ButtonTestWindow*>(window, message, lParam);
    if (!self || self->window_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_PAINT: {
        PaintDc paint(window);
        self->Paint(paint.Get());
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
        self->OnInput(message, wParam);
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Counted, and still the system's (Alt+F4 closes).
        self->OnInput(message, wParam);
        break;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE) {
            SendMessageW(window, WM_CLOSE, 0, 0);
        } else {
            self->OnInput(message, wParam);
        }
        return 0;
    case WM_CLOSE: {
        // The owner is enabled before the window goes, so activation returns to it rather
        // than to some other program's window.
        HWND owner = self->owner_;
        EnableWindow(owner, TRUE);
        DestroyWindow(window);
        g_open.reset();
        UnregisterClassW(kButtonTestClassName, GetModuleHandleW(nullptr));
        BringWindowToTop(owner);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
