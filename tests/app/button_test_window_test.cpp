// F2's button test window: the cells count the pen's buttons as the table says, and the window
// hands its messages to them. (F2 and the menu opening it are the main-window scenario's.)
#include "app/button_test_window.h"
#include "desktop_test_support.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(ButtonTestCells, ButtonsAndKeysCountOnReleaseWheelAndPrintScreenAtOnce) {
    using Cells = ButtonTestCells;
    Cells cells;
    EXPECT_EQ(cells.OnMessage(WM_LBUTTONDOWN, 0), Cells::kLeftButton);
    EXPECT_TRUE(cells.At(Cells::kLeftButton).pressed);
    EXPECT_EQ(cells.At(Cells::kLeftButton).count, 0);
    // Each message and the cell it changes (-1: none).
    const struct { UINT message; WPARAM wParam; int cell; } steps[] = {
        {WM_LBUTTONUP, 0, Cells::kLeftButton}, {WM_RBUTTONDOWN, 0, Cells::kRightButton},
        {WM_RBUTTONUP, 0, Cells::kRightButton}, {WM_KEYDOWN, VK_F5, Cells::kF5},
        // A repeated key-down changes nothing, nor a release without a press, nor another key.
        {WM_KEYDOWN, VK_F5, -1}, {WM_KEYUP, VK_F5, Cells::kF5}, {WM_KEYUP, VK_F11, -1}, {WM_KEYDOWN, 'Q', -1},
        {WM_KEYDOWN, VK_RETURN, Cells::kEnter}, {WM_KEYUP, VK_RETURN, Cells::kEnter},
        {WM_KEYDOWN, VK_RETURN, Cells::kEnter}, {WM_KEYUP, VK_RETURN, Cells::kEnter},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), Cells::kPageUp}, {WM_MOUSEWHEEL, MAKEWPARAM(0, 1), Cells::kPageUp},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), Cells::kPageDown},
        {WM_KEYDOWN, VK_SNAPSHOT, Cells::kPrintScreen}, {WM_KEYUP, VK_SNAPSHOT, Cells::kPrintScreen},
    };
    for (const auto& step : steps)
        EXPECT_EQ(cells.OnMessage(step.message, step.wParam), step.cell) << step.message << " " << step.wParam;
    const std::pair<int, int> counts[] = {{Cells::kLeftButton, 1}, {Cells::kRightButton, 1}, {Cells::kF5, 1},
        {Cells::kEnter, 2}, {Cells::kPageUp, 2}, {Cells::kPageDown, 1}, {Cells::kPrintScreen, 2}};
    for (const auto& [cell, count] : counts) {
        EXPECT_EQ(cells.At(cell).count, count) << cell;
        EXPECT_FALSE(cells.At(cell).pressed) << cell;
    }
}

TEST(ButtonTestWindowRun, OpensCentredOverADisabledOwnerAndCountsItsMessages) {
    const testsupport::CursorLock cursorLock;
    const UniqueWindow ownerWindow(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                                   200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    HWND owner = ownerWindow.Get();
    ASSERT_TRUE(ButtonTestWindow::Open(owner, L"Tavro Pen", nullptr));
    ButtonTestWindow* test = ButtonTestWindow::Current();
    ASSERT_NE(test, nullptr);
    HWND window = test->Window();
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    RECT frame = {};
    GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    POINT cursor = {};
    GetCursorPos(&cursor);
    EXPECT_NEAR(cursor.x, (frame.left + frame.right) / 2, 1);

    // Cells: two columns of four rows below the hint, in cell order.
    RECT client = {};
    GetClientRect(window, &client);
    const RECT& first = test->CellRect(0);
    EXPECT_EQ(first.top, test->HintRect().bottom + 1);
    EXPECT_EQ(first.right - first.left, client.right / 2);
    EXPECT_EQ(test->CellRect(1).left, client.right / 2);
    EXPECT_EQ(test->CellRect(2).top, first.bottom);

    // The window hands its messages to the cells (counted as ButtonTestCells says).
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(window, WM_KEYUP, VK_RETURN, 0);
    SendMessageW(window, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(test->Cells().At(ButtonTestCells::kEnter).count, 1);
    EXPECT_TRUE(test->Cells().At(ButtonTestCells::kLeftButton).pressed);
    EXPECT_EQ(ButtonTestWindow::LastChangedCell(), ButtonTestCells::kLeftButton);

    SendMessageW(window, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_EQ(ButtonTestWindow::Current(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
