#include "app/button_test_cells.h"

namespace {

constexpr const wchar_t* kLabels[ButtonTestCells::kCellCount] = {
    L"LButton", L"RButton", L"PageUp", L"PageDown", L"F5", L"F11", L"Enter", L"PrtScr",
};

// The cell of a key that is pressed and released like a button, or -1.
int HeldKeyCell(WPARAM key) {
    switch (key) {
    case VK_F5:
        return ButtonTestCells::kF5;
    case VK_F11:
        return ButtonTestCells::kF11;
    case VK_RETURN:
        return ButtonTestCells::kEnter;
    default:
        return -1;
    }
}

}  // namespace

const wchar_t* ButtonTestCells::Label(int index) {
    return index >= 0 && index < kCellCount ? kLabels[index] : L"";
}

int ButtonTestCells::OnMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return Press(kLeftButton);
    case WM_LBUTTONUP:
        return Release(kLeftButton);
    case WM_RBUTTONDOWN:
        return Press(kRightButton);
    case WM_RBUTTONUP:
        return Release(kRightButton);
    case WM_MOUSEWHEEL:
        return Count(GET_WHEEL_DELTA_WPARAM(wParam) >= 1 ? kPageUp : kPageDown);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (wParam == VK_SNAPSHOT) return Count(kPrintScreen);
        return HeldKeyCell(wParam) >= 0 ? Press(HeldKeyCell(wParam)) : -1;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (wParam == VK_SNAPSHOT) return Count(kPrintScreen);
        return HeldKeyCell(wParam) >= 0 ? Release(HeldKeyCell(wParam)) : -1;
    default:
        return -1;
    }
}

int ButtonTestCells::Press(int index) {
    Cell& cell = cells_[static_cast<size_t>(index)];
    if (cell.pressed) return -1;
    cell.pressed = true;
    return index;
}

int ButtonTestCells::Release(int index) {
    Cell& cell = cells_[static_cast<size_t>(index)];
    if (!cell.pressed) return -1;
    cell.pressed = false;
    ++cell.count;
    return index;
}

int ButtonTestCells::Count(int index) {
    ++cells_[static_cast<size_t>(index)].count;
    return index;
}
