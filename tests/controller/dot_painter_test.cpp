// The dot picture drawn into a memory bitmap: colours by state, outline and aiming cross.
#include <gtest/gtest.h>

#include "app/unique_handle.h"
#include "controller/dot_painter.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class DotPicture : public ::testing::Test {
protected:
    DotPicture() : dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap.Reset(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0));
        SelectObject(dc.Get(), bitmap.Get());
        const RECT all{0, 0, kWidth, kHeight};
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DesktopMetrics desktop;
        desktop.workArea = all;
        desktop.textHeight = 16;
        pattern.SetGrid(7, 5);
        pattern.Layout(DefaultChessboardLayout(), desktop);
    }

    COLORREF At(POINT p, int dx, int dy) const {
        const DWORD value = pixels[(p.y + dy) * kWidth + p.x + dx];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

    UniqueMemoryDc dc;
    UniqueBitmap bitmap;
    DWORD* pixels = nullptr;
    PatternScreen pattern;
};

}  // namespace

TEST_F(DotPicture, ColoursFollowTheDotStates) {
    DotSet dots;
    dots.Begin();
    dots.Record(cv::Point2f(50.0f, 40.0f));   // 0 done
    dots.Record(cv::Point2f(-1.0f, -1.0f));  // 3 lost, 6 is the target
    EXPECT_EQ(DotColour(dots, 0), RGB(128, 128, 128));
    EXPECT_EQ(DotColour(dots, 3), RGB(0, 0, 128));
    EXPECT_EQ(DotColour(dots, 6), RGB(0, 255, 0));
    EXPECT_EQ(DotColour(dots, 34), RGB(255, 0, 0));

    PaintDots(dc.Get(), dots, pattern, POINT{0, 0});
    GdiFlush();
    for (int index : kDotOrder) {
        const POINT centre = DotPosition(pattern, index);
        SCOPED_TRACE(index);
        EXPECT_EQ(At(centre, 7, 6), DotColour(dots, index));
        EXPECT_EQ(At(centre, -7, -6), DotColour(dots, index));
        // The white cross through the centre, 30 pixels each way, and the white outline.
        EXPECT_EQ(At(centre, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(At(centre, 14, 0), RGB(255, 255, 255));
        EXPECT_EQ(At(centre, 0, -15), RGB(255, 255, 255));
        EXPECT_EQ(At(centre, 0, 15), RGB(255, 255, 255));
        EXPECT_EQ(At(centre, 20, 20), RGB(0, 0, 0));
    }
}

TEST_F(DotPicture, DotsSitOnTheBoardCornersInClientCoordinates) {
    EXPECT_EQ(DotPosition(pattern, 17).x, pattern.CornerPosition(4, 3).x);
    EXPECT_EQ(DotPosition(pattern, 17).y, pattern.CornerPosition(4, 3).y);
    EXPECT_EQ(DotPosition(pattern, 34).x, pattern.CornerPosition(7, 5).x);
    DotSet dots;
    dots.Begin();
    const POINT origin{10, 20};
    PaintDots(dc.Get(), dots, pattern, origin);
    GdiFlush();
    const POINT first = DotPosition(pattern, 0);
    const POINT client{first.x - origin.x, first.y - origin.y};
    EXPECT_EQ(At(client, 7, 6), RGB(0, 255, 0));
}
