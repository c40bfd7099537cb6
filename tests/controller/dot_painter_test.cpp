// The dot picture drawn into a memory bitmap: colours by state, outline and aiming cross.
#include "controller/dot_painter.h"
#include "pixel_canvas.h"

#include <gtest/gtest.h>

TEST(DotPicture, DotsOnTheBoardCornersColouredByStateWithOutlineAndCross) {
    PatternScreen pattern;
    pattern.SetGrid(7, 5);
    pattern.Layout(DefaultChessboardLayout(), DesktopMetrics{{0, 0, 1024, 768}, 16});
    // Black to begin with, as a new DIB section is.
    testsupport::PixelCanvas canvas{1024, 768};
    const auto At = [&canvas](POINT p, int dx, int dy) { return canvas.At(p.x + dx, p.y + dy); };
    DotSet dots;
    dots.Begin();
    dots.Record(cv::Point2f(50.0f, 40.0f));   // 0 done
    dots.Record(cv::Point2f(-1.0f, -1.0f));  // 3 lost, 6 is the target
    EXPECT_EQ(DotColour(dots, 0), RGB(128, 128, 128));
    EXPECT_EQ(DotColour(dots, 3), RGB(0, 0, 128));
    EXPECT_EQ(DotColour(dots, 6), RGB(0, 255, 0));
    EXPECT_EQ(DotColour(dots, 34), RGB(255, 0, 0));

    // The client area starts at desktop (10, 20).
    const POINT origin{10, 20};
    PaintDots(canvas.Dc(), dots, pattern, origin);
    for (int index : kDotOrder) {
        const POINT desktop = DotPosition(pattern, index);
        const POINT centre{desktop.x - origin.x, desktop.y - origin.y};
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
