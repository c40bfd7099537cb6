// The main window's pictures drawn by Controller::Paint into memory: the Track grid, hot-spot
// markers, the red lines, the waiting background, and a screenshot for a look.
#include "controller_fixture.h"
#include "controller/track_picture.h"
#include "pixel_canvas.h"

#include <opencv2/core.hpp>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

class Painting : public ControllerFixture {
protected:
    Painting() {
        MoveWindow(window, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                   FALSE);
        GetClientRect(window, &client);
        ControllerTestAccess::PrepareScreen(controller);
    }

    // Hot pixels at the given sensor points; `counted` of them were counted by gain finding.
    void SetHotPixels(std::initializer_list<cv::Point> pixels, int counted) {
        cv::Mat& threshold = ControllerTestAccess::Images(controller).thresholdImage;
        threshold.setTo(100);
        for (const cv::Point& p : pixels) threshold.at<uchar>(p) = 255;
        ControllerTestAccess::SetHotSpots(controller, counted, PixelRect{0, 0, 320, 240});
    }

    POINT ClientPointOf(cv::Point sensor) const {
        const cv::Point2f desktop = controller.SensorToDesktop(static_cast<float>(sensor.x),
                                                               static_cast<float>(sensor.y));
        POINT p = {static_cast<LONG>(desktop.x), static_cast<LONG>(desktop.y)};
        ScreenToClient(window, &p);
        return p;
    }

    void PaintInto(testsupport::PixelCanvas& canvas) { controller.Paint(canvas.Dc()); }

    int CountColour(const testsupport::PixelCanvas& canvas, RECT area, COLORREF colour) const {
        int count = 0;
        for (LONG y = area.top; y < area.bottom; ++y) {
            for (LONG x = area.left; x < area.right; ++x) count += canvas.At(x, y) == colour;
        }
        return count;
    }

    RECT client{};
};

TEST_F(Painting, TrackGridHasBlackLinesEveryFortyPixels) {
    SetMode(Mode::Track, 1, true, true);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    PaintInto(canvas);
    // Below the status lines: columns and rows at multiples of 40 are black, the rest white.
    for (int x = 0; x < client.right; ++x) {
        EXPECT_EQ(canvas.At(x, 205), x % 40 == 0 ? kBlack : kWhite) << "x " << x;
    }
    for (int y = 120; y < client.bottom; ++y) {
        EXPECT_EQ(canvas.At(85, y), y % 40 == 0 ? kBlack : kWhite) << "y " << y;
    }
    EXPECT_FALSE(controller.Painting());
}

TEST_F(Painting, HotSpotsAreMarkedInYellowUpToTheCountedNumber) {
    AimCamera();
    SetMode(Mode::Track, 1, true, true);
    // Three hot pixels, only two counted: the first two in row order are marked.
    SetHotPixels({{100, 80}, {250, 60}, {200, 200}}, 2);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    PaintInto(canvas);

    const SIZE half = HotSpotMarkerHalfSize(client, 320, 240);
    EXPECT_EQ(half.cx, std::max(client.right / 320 / 2, 2L));
    for (cv::Point marked : {cv::Point{250, 60}, cv::Point{100, 80}}) {
        const POINT p = ClientPointOf(marked);
        const RECT marker = {p.x - half.cx, p.y - half.cy, p.x + half.cx, p.y + half.cy};
        EXPECT_EQ(CountColour(canvas, marker, kYellow), 4 * half.cx * half.cy)
            << marked.x << "," << marked.y;
        EXPECT_NE(canvas.At(p.x + half.cx, p.y), kYellow);
        EXPECT_NE(canvas.At(p.x, p.y - half.cy - 1), kYellow);
    }
    const POINT unmarked = ClientPointOf({200, 200});
    EXPECT_EQ(CountColour(canvas, {unmarked.x - 3, unmarked.y - 3, unmarked.x + 3, unmarked.y + 3},
                          kYellow),
              0);
}

TEST_F(Painting, TrackStatusLinesAreRedAndTheSlowSensorLineIsCentred) {
    SetMode(Mode::Track, 1, true, true);
    const RECT status = controller.StatusRect();
    ASSERT_GT(status.bottom, status.top);
    const RECT middleBand = {0, client.bottom / 2 - 10, client.right, client.bottom / 2 + 10};
    {
        testsupport::PixelCanvas canvas(client.right, client.bottom);
        PaintInto(canvas);
        const RECT statusLine = {0, status.top, client.right, status.top + controller.LineHeight()};
        EXPECT_GT(CountColour(canvas, statusLine, kRed), 20);
        EXPECT_EQ(CountColour(canvas, middleBand, kRed), 0);
    }
    ControllerTestAccess::SetShownFrameRate(controller, 1);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    PaintInto(canvas);
    EXPECT_GT(CountColour(canvas, middleBand, kRed), 20);
}

TEST_F(Painting, SecondStatusLineOnlyWithHotSpots) {
    AimCamera();
    SetMode(Mode::Track, 1, true, true);
    const int line = controller.LineHeight();
    ASSERT_GT(line, 0);
    const RECT secondLine = {0, controller.StatusRect().top + line, client.right,
                             controller.StatusRect().top + 2 * line};
    {
        testsupport::PixelCanvas canvas(client.right, client.bottom);
        PaintInto(canvas);
        EXPECT_EQ(CountColour(canvas, secondLine, kRed), 0);
    }
    SetHotPixels({{160, 120}}, 1);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    PaintInto(canvas);
    EXPECT_GT(CountColour(canvas, secondLine, kRed), 20);
}

TEST_F(Painting, FindGainWithoutOverlayFillsBlackForTheBlackReference) {
    SetMode(Mode::FindGain, 1, true);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    PaintInto(canvas);
    EXPECT_EQ(canvas.At(100, 100), kWhite);
    ControllerTestAccess::Pattern(controller).SetKind(kPatternBlack);
    PaintInto(canvas);
    EXPECT_EQ(canvas.At(100, 100), kBlack);
}

TEST_F(Painting, TrackPictureScreenshot) {
    AimCamera();
    SetMode(Mode::Track, 1, true, true);
    SetHotPixels({{40, 30}, {41, 30}, {40, 31}, {280, 200}, {281, 200}, {160, 120}}, 6);
    ControllerTestAccess::SetShownFrameRate(controller, 1);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    PaintInto(canvas);
    EXPECT_TRUE(canvas.Save(testsupport::BuildFolder() + L"track_picture.bmp"));
}

}  // namespace
