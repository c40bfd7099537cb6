// F2's button test window: the cells count the pen's buttons as the table says, and the window
// hands its messages to them. (F2 and the menu opening it are the main-window scenario's.)
#include "app/button_test_window.h"
#include "desktop_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonTestCells, ButtonsAndKeysCountOnReleaseWheelAndPrintScreenAtOnce) {
    ButtonTestCells cells;
    EXPECT_EQ(cells.OnMessage(WM_LBUTTONDOWN, 0), ButtonTestCells::kLeftButton);
    EXPECT_TRUE(cells.At(ButtonTestCells::kLeftButton).pressed);
    EXPECT_EQ(cells.At(ButtonTestCells::kLeftButton).count, 0);
    EXPECT_EQ(cells.OnMessage(WM_LBUTTONUP, 0), ButtonTestCells::kLeftButton);
    EXPECT_FALSE(cells.At(ButtonTestCells::kLeftButton).pressed);
    EXPECT_EQ(cells.At(ButtonTestCells::kLeftButton).count, 1);

    EXPECT_EQ(cells.OnMessage(WM_RBUTTONDOWN, 0), ButtonTestCells::kRightButton);
    EXPECT_EQ(cells.OnMessage(WM_RBUTTONUP, 0), ButtonTestCells::kRightButton);
    EXPECT_EQ(cells.At(ButtonTestCells::kRightButton).count, 1);

    EXPECT_EQ(cells.OnMessage(WM_KEYDOWN, VK_F5), ButtonTestCells::kF5);
    EXPECT_EQ(cells.OnMessage(WM_KEYDOWN, VK_F5), -1) << "a repeated key-down changes nothing";
    EXPECT_EQ(cells.OnMessage(WM_KEYUP, VK_F5), ButtonTestCells::kF5);
    EXPECT_EQ(cells.At(ButtonTestCells::kF5).count, 1);
    EXPECT_EQ(cells.OnMessage(WM_KEYUP, VK_F11), -1) << "no release without a press";
    EXPECT_EQ(cells.OnMessage(WM_KEYDOWN, 'Q'), -1);

    for (int i = 0; i < 2; ++i) {
        cells.OnMessage(WM_KEYDOWN, VK_RETURN);
        cells.OnMessage(WM_KEYUP, VK_RETURN);
        EXPECT_FALSE(cells.At(ButtonTestCells::kEnter).pressed);
    }
    EXPECT_EQ(cells.At(ButtonTestCells::kEnter).count, 2);

    EXPECT_EQ(cells.OnMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120)), ButtonTestCells::kPageUp);
    EXPECT_EQ(cells.OnMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 1)), ButtonTestCells::kPageUp);
    EXPECT_EQ(cells.OnMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120))),
              ButtonTestCells::kPageDown);
    EXPECT_EQ(cells.At(ButtonTestCells::kPageUp).count, 2);
    EXPECT_FALSE(cells.At(ButtonTestCells::kPageUp).pressed);
    EXPECT_EQ(cells.At(ButtonTestCells::kPageDown).count, 1);
    EXPECT_EQ(cells.OnMessage(WM_KEYDOWN, VK_SNAPSHOT), ButtonTestCells::kPrintScreen);
    EXPECT_EQ(cells.OnMessage(WM_KEYUP, VK_SNAPSHOT), ButtonTestCells::kPrintScreen);
    EXPECT_EQ(cells.At(ButtonTestCells::kPrintScreen).count, 2);
}

class ButtonTestWindowRun : public ::testing::Test {
protected:
    ButtonTestWindowRun() {
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ButtonTestWindowRun() override {
        ButtonTestWindow::Close();
        DestroyWindow(owner);
    }

    testsupport::CursorLock cursor;
    HWND owner = nullptr;
};

TEST_F(ButtonTestWindowRun, OpensCentredOverADisabledOwnerAndCountsItsMessages) {
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
