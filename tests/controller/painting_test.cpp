// The main window's pictures drawn into memory: the Track grid and hot-spot markers on their
// own, then by Controller::Paint the Track picture with its red lines, the waiting background
// and the manual alignment's sensor preview; the Track picture is kept for a look. (The tuning
// panel over Track is the Tuning test's.)
#include "controller_fixture.h"
#include "controller/track_picture.h"
#include "partial_language.h"
#include "pixel_canvas.h"
#include "resources/resource_ids.h"
#include "ui/resource_text.h"

#include <opencv2/core.hpp>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// The window fills the screen, as the program's does.
class Painting : public ControllerFixture {
protected:
    Painting() {
        MoveWindow(window, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), FALSE);
        GetClientRect(window, &client);
    }

    // The height of a line of the window's font, which the status prompts are drawn in.
    int LineHeight() const {
        const HDC dc = GetDC(window);
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        ReleaseDC(window, dc);
        return metrics.tmHeight;
    }

    RECT client{};
};

TEST(TrackPicture, GridHasBlackLinesEveryFortyPixelsAndHotSpotsAreMarkedUpToTheCountedNumber) {
    // A client area six times the sensor's size, where sensor pixels map to six desktop pixels.
    const RECT client = {0, 0, 1920, 1440};
    cv::Mat threshold(240, 320, CV_8UC1, cv::Scalar(100));
    // Three hot pixels, only two counted: the first two in row order are marked.
    for (cv::Point p : {cv::Point{100, 80}, cv::Point{250, 60}, cv::Point{200, 200}}) threshold.at<uchar>(p) = 255;
    const auto toDesktop = [](float u, float v) { return cv::Point2f(6.0f * u, 6.0f * v); };
    const HotSpotSource source{&threshold, PixelRect{0, 0, 320, 240}, 2, toDesktop, POINT{}};
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    DrawTrackGrid(canvas.Dc(), client);
    EXPECT_EQ(DrawHotSpotMarkers(canvas.Dc(), client, source), 2);

    for (int x = 0; x < client.right; ++x) EXPECT_EQ(canvas.At(x, 205), x % 40 == 0 ? kBlack : kWhite) << "x " << x;
    for (int y = 0; y < client.bottom; ++y) EXPECT_EQ(canvas.At(85, y), y % 40 == 0 ? kBlack : kWhite) << "y " << y;
    const SIZE half = HotSpotMarkerHalfSize(client, 320, 240);
    EXPECT_TRUE(half.cx == 3 && half.cy == 3);
    for (cv::Point marked : {cv::Point{250, 60}, cv::Point{100, 80}}) {
        const POINT p = {6 * marked.x, 6 * marked.y};
        const RECT marker = {p.x - half.cx, p.y - half.cy, p.x + half.cx, p.y + half.cy};
        EXPECT_EQ(canvas.Count(marker, kYellow), 4 * half.cx * half.cy) << marked.x << "," << marked.y;
        EXPECT_NE(canvas.At(p.x + half.cx, p.y), kYellow);
        EXPECT_NE(canvas.At(p.x, p.y - half.cy - 1), kYellow);
    }
    EXPECT_EQ(canvas.Count({1200 - 3, 1200 - 3, 1200 + 3, 1200 + 3}, kYellow), 0);
}

TEST_F(Painting, TrackShowsTheGridAndRedStatusLinesTheSecondOnlyWithTheHotSpotsGainFindingMarked) {
    // Track again brings the window that tracking minimised back; the status rectangle follows
    // its frame.
    SetMode(Mode::Track, true, true);
    controller.EnterMode(Mode::Track);
    controller.OnWindowFrameChanged();
    GetClientRect(window, &client);
    const int line = LineHeight();
    ASSERT_GT(line, 0);
    const LONG top = controller.StatusRect().top;
    const RECT firstLine = {0, top, client.right, top + line};
    const RECT secondLine = {0, top + line, client.right, top + 2 * line};
    testsupport::PixelCanvas plain(client.right, client.bottom);
    controller.Paint(plain.Dc());
    EXPECT_GT(plain.Count(firstLine, kRed), 20);
    EXPECT_EQ(plain.Count(secondLine, kRed), 0);
    EXPECT_EQ(plain.Count(client, kYellow), 0);

    // A small light of the screen's own, found with the gain (and told about).
    controller.EnterMode(Mode::FindGain);
    Light(145, 105, 30, 255);
    EXPECT_EQ(FindGain(), 1);
    controller.EnterMode(Mode::Track);
    testsupport::PixelCanvas marked(client.right, client.bottom);
    controller.Paint(marked.Dc());
    EXPECT_GT(marked.Count(secondLine, kRed), 20);
    EXPECT_GT(marked.Count(client, kYellow), 6 * 4);
    EXPECT_TRUE(marked.Save(testsupport::BuildFolder() + L"track_picture.bmp"));
}

TEST_F(Painting, FindGainWithoutOverlayFillsBlackForTheBlackReference) {
    SetMode(Mode::FindGain, true);
    testsupport::PixelCanvas canvas(client.right, client.bottom);
    controller.Paint(canvas.Dc());
    EXPECT_EQ(canvas.At(100, 100), kWhite);
    model.pattern.SetKind(kPatternBlack);
    controller.Paint(canvas.Dc());
    EXPECT_EQ(canvas.At(100, 100), kBlack);
}

TEST_F(Painting, ManualPreviewIsTheLatestFrameCentredAndOutlinedPaintedByTheUiThreadOnly) {
    // Gain finding chose the tracking area the dots are searched in.
    SetMode(Mode::FindGain, true);
    controller.EnterMode(Mode::ManualAlignment);
    cv::Mat(240, 320, CV_8UC3, frame.data()).setTo(cv::Scalar(0x20, 0x80, 0xC0));
    const COLORREF frameColour = RGB(0xC0, 0x80, 0x20);
    ValidateRect(window, nullptr);
    DeliverFrames(1);

    // The frame thread only marks the picture's place for the UI thread to paint.
    const int left = (client.right - 320) / 2;
    const int top = (client.bottom - 240) / 2;
    const RECT picture = {left, top, left + 320, top + 240};
    RECT update = {};
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &picture));

    testsupport::PixelCanvas canvas(client.right, client.bottom);
    FillRect(canvas.Dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    controller.Paint(canvas.Dc());
    EXPECT_EQ(canvas.At(left + 160, top + 120), frameColour);
    EXPECT_EQ(canvas.At(left, top), frameColour);
    EXPECT_EQ(canvas.At(left + 319, top + 239), frameColour);
    EXPECT_EQ(canvas.At(left - 1, top + 100), kWhite);
    EXPECT_EQ(canvas.At(left + 100, top + 240), kWhite);
    // The tracking area's outline, inside the picture.
    EXPECT_GT(canvas.Count(picture, kBlack), 500);
}

// A language library that lacks texts: the executable's own ones are drawn instead, the
// library's where it has them.
TEST_F(Painting, TextsTheLanguageLibraryLacksComeFromTheExecutable) {
    const testsupport::PartialLanguage partial;
    // The texts are taken again when the window is attached, now from the partial library.
    controller.AttachWindow(window);
    ASSERT_NE(partial.Module(), nullptr);
    EXPECT_STREQ(controller.PromptText(Prompt::Initializing), testsupport::kPartialInitializingText);
    EXPECT_STREQ(controller.ModeText(Mode::Idle), testsupport::kPartialIdleText);
    const HINSTANCE executable = GetModuleHandleW(nullptr);
    EXPECT_EQ(controller.ModeText(Mode::Track), LoadModuleText(executable, IDS_MODE_FIRST + 8));
    EXPECT_EQ(controller.PromptText(Prompt::FindingGain), LoadModuleText(executable, IDS_PROMPT_FINDING_GAIN));

    // Auto alignment's waiting picture: the start prompt in black along the top.
    SetMode(Mode::AutoAlignment);
    testsupport::PixelCanvas waiting(client.right, client.bottom);
    controller.Paint(waiting.Dc());
    const RECT top = {0, 0, client.right, 1 + 2 * LineHeight()};
    EXPECT_GT(waiting.Count(top, kBlack), 20);

    // Gain finding's overlay: its prompt across the middle of a white screen.
    SetMode(Mode::FindGain, true);
    testsupport::PixelCanvas overlay(client.right, client.bottom);
    controller.PaintGainOverlay(overlay.Dc(), client);
    const RECT middle = {0, client.bottom / 2 - 10, client.right, client.bottom / 2 + 10};
    const int area = (middle.right - middle.left) * (middle.bottom - middle.top);
    EXPECT_GT(area - overlay.Count(middle, kWhite), 20);
}

}  // namespace
