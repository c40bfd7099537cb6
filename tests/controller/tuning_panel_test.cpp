// The screen-correction panel without a window: keys, steps, limits, what goes to the file and
// the lines it shows; then its picture and the corner marks drawn into memory.
#include "controller/tuning_panel.h"
#include "controller/tuning_panel_picture.h"
#include "pixel_canvas.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class TuningPanelTest : public ::testing::Test {
protected:
    bool Press(WPARAM key, bool control = false, bool shift = false) {
        return panel.Adjust(key, control, shift, correction);
    }
    // Opens the panel and moves the selection down `line` times.
    void OpenAt(int line) {
        panel.Open();
        for (int i = 0; i < line; ++i) Press(VK_DOWN);
    }

    TuningPanel panel;
    ScreenCorrection correction = ScreenCorrection::Defaults(1024, 768);
};

TEST_F(TuningPanelTest, TheSelectionWrapsAndOutlivesClosingOnlyAChangeIsWrittenAndResetSelectsTheFirstLine) {
    const testsupport::ScratchDirectory scratch(L"tuning_panel_close");
    EXPECT_TRUE(panel.Open());
    EXPECT_FALSE(panel.Open());
    EXPECT_TRUE(Press(VK_UP));
    EXPECT_EQ(panel.Selected(), 9);
    EXPECT_TRUE(Press(VK_DOWN));
    EXPECT_EQ(panel.Selected(), 0);
    for (int i = 0; i < 13; ++i) Press(VK_DOWN);
    EXPECT_TRUE(panel.Close(correction));
    EXPECT_FALSE(panel.Close(correction));
    EXPECT_TRUE(panel.Open());
    EXPECT_EQ(panel.Selected(), 3);
    // Keys the panel has no use for change nothing, and closing unchanged writes nothing.
    EXPECT_FALSE(Press(VK_RETURN));
    EXPECT_FALSE(correction.modified);
    panel.Close(correction);
    EXPECT_EQ(testsupport::ReadBytes(kScreenCorrectionFileName), "");

    // Reset closes, writing the change, and selects the first line again.
    panel.Open();
    Press(VK_LEFT);
    panel.Reset(correction);
    EXPECT_FALSE(panel.IsOpen());
    EXPECT_EQ(panel.Selected(), 0);
    EXPECT_FALSE(correction.modified);
    EXPECT_NE(testsupport::ReadBytes(kScreenCorrectionFileName).find("4= 383.9\r\n"),
              std::string::npos);
}

TEST_F(TuningPanelTest, ArrowsStepByTheValueKindTenWithCtrlAHundredWithShiftUpToTheLimit) {
    const struct { int line; WPARAM key; bool control, shift; float change; } cases[] = {
        {0, VK_RIGHT, false, false, 0.1f},    {0, VK_LEFT, false, false, -0.1f},
        {1, VK_RIGHT, true, false, 1.0f},     {2, VK_LEFT, false, true, -10.0f},
        {3, VK_RIGHT, true, true, 1.0f},      {4, VK_RIGHT, false, false, 0.001f},
        {5, VK_LEFT, true, false, -0.01f},    {6, VK_RIGHT, false, true, 0.1f},
        {7, VK_LEFT, false, false, -0.001f},  {8, VK_RIGHT, false, false, 0.1f},
        {9, VK_LEFT, false, true, -10.0f},
    };
    for (const auto& c : cases) {
        panel = TuningPanel();
        correction = ScreenCorrection::Defaults(1024, 768);
        OpenAt(c.line);
        const ScreenCorrection before = correction;
        EXPECT_TRUE(Press(c.key, c.control, c.shift)) << "line " << c.line;
        EXPECT_NEAR(correction.values[c.line] - before.values[c.line], c.change, 1e-4f) << "line " << c.line;
        for (int other = 0; other < ScreenCorrection::kValueCount; ++other) {
            if (other != c.line) {
                EXPECT_EQ(correction.values[other], before.values[other]);
            }
        }
        EXPECT_TRUE(correction.modified) << "line " << c.line;
    }

    // Values stop at the limit the file reads back (the last case left line 10 selected).
    correction.values[9] = ScreenCorrection::kValueLimit - 5.0f;
    EXPECT_TRUE(Press(VK_RIGHT, false, true));
    EXPECT_EQ(correction.values[9], ScreenCorrection::kValueLimit);
    correction.modified = false;
    EXPECT_FALSE(Press(VK_RIGHT));
    EXPECT_EQ(correction.values[9], ScreenCorrection::kValueLimit);
    EXPECT_FALSE(correction.modified);

    correction.values[9] = -ScreenCorrection::kValueLimit;
    EXPECT_FALSE(Press(VK_LEFT, true));
    EXPECT_EQ(correction.values[9], -ScreenCorrection::kValueLimit);
}

TEST_F(TuningPanelTest, LinesShowTheNumberAndTheValueInAFixedWidth) {
    correction.values[4] = 0.001f;
    correction.values[8] = -2.5f;
    const wchar_t* expected[] = {L"01= 512.0000", L"02= 384.0000", L"03= 512.0000",
                                 L"04= 384.0000", L"05=   0.0010", L"06=   0.0000",
                                 L"07=   0.0000", L"08=   0.0000", L"09=  -2.5000",
                                 L"10=   0.0000"};
    for (int line = 0; line < TuningPanel::kLineCount; ++line) {
        wchar_t text[TuningPanel::kLineLength];
        TuningPanel::LineText(correction, line, text, TuningPanel::kLineLength);
        EXPECT_STREQ(text, expected[line]);
    }
}

TEST_F(TuningPanelTest, PictureIsAGreyPanelCentredWithABumpEdgeAndTheSelectedLineInBlue) {
    testsupport::PixelCanvas canvas(400, 300);
    const RECT client = {0, 0, 400, 300};
    FillRect(canvas.Dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    OpenAt(3);
    DrawTuningPanel(canvas.Dc(), client, panel, correction);

    const RECT area = TuningPanel::Placement(client);
    const RECT centred = {135, 50, 265, 250};
    ASSERT_TRUE(EqualRect(&area, &centred));
    // Outside white, inside grey, a two-pixel edge in other shades on every side.
    EXPECT_EQ(canvas.At(area.left - 1, 150), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(area.right, 150), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(area.right - 5, area.bottom - 5), kTuningPanelFill);
    for (POINT edge : {POINT{area.left, 150}, POINT{area.left + 1, 150}, POINT{area.right - 1, 150},
                       POINT{area.right - 2, 150}, POINT{200, area.top}, POINT{200, area.top + 1},
                       POINT{200, area.bottom - 1}, POINT{200, area.bottom - 2}}) {
        EXPECT_NE(canvas.At(edge.x, edge.y), kTuningPanelFill) << edge.x << "," << edge.y;
    }
    EXPECT_EQ(canvas.At(area.left + 2, 150), kTuningPanelFill);
    EXPECT_EQ(canvas.At(area.right - 3, 150), kTuningPanelFill);

    TEXTMETRICW metrics = {};
    GetTextMetricsW(canvas.Dc(), &metrics);
    const int height = metrics.tmHeight;
    for (int line = 0; line < TuningPanel::kLineCount; ++line) {
        // The line's rows across the text's columns: the selected one blue, the others grey.
        const LONG top = area.top + TuningPanel::kTextInset + line * height;
        const RECT band = {area.left + TuningPanel::kTextInset, top, area.right - 3, top + height};
        const bool selected = line == 3;
        EXPECT_GT(canvas.Count(band, selected ? TuningPanel::kSelectedColour : TuningPanel::kLineColour), 30)
            << "line " << line;
        EXPECT_EQ(canvas.Count(band, selected ? TuningPanel::kLineColour : TuningPanel::kSelectedColour), 0)
            << "line " << line;
    }
}

TEST(TuningPanelPicture, CornerMarksShowWhereEachStoredCornerWasDrawnAndWhereItLands) {
    testsupport::PixelCanvas canvas(300, 200);
    const RECT client = {0, 0, 300, 200};
    FillRect(canvas.Dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PosePoints corners;
    corners.count = 3;
    const cv::Point2f drawn[] = {{100.0f, 100.0f}, {190.0f, 150.0f}, {250.0f, 50.0f}};
    const cv::Point2f seen[] = {{52.0f, 49.0f}, {90.0f, 65.0f}, {-1.0f, -1.0f}};
    for (int i = 0; i < 3; ++i) {
        corners.objectPoints[i] = {drawn[i].x, drawn[i].y, 0.0f};
        corners.imagePoints[i] = seen[i];
    }
    const SensorToDesktopFunction twice = [](float u, float v) -> cv::Point2f {
        if (u < 0.0f) return {std::nanf(""), 0.0f};
        return {2.0f * u + 10.0f, 2.0f * v + 20.0f};
    };
    // The client area starts at desktop (10, 20).
    EXPECT_EQ(DrawCornerOverlay(canvas.Dc(), corners, twice, POINT{10, 20}), 3);

    // Corner 0: drawn at client (90, 80), lands at desktop (114, 118) = client (104, 98).
    EXPECT_EQ(canvas.At(90 - 4, 80 - 4), kCornerTargetColour);
    EXPECT_EQ(canvas.At(90 + 4, 80 + 2), kCornerTargetColour);
    EXPECT_EQ(canvas.At(90, 80), RGB(255, 255, 255));
    for (int d = -4; d <= 4; ++d) {
        EXPECT_EQ(canvas.At(104 + d, 98), kCornerLandingColour) << d;
        EXPECT_EQ(canvas.At(104, 98 + d), kCornerLandingColour) << d;
    }
    EXPECT_EQ(canvas.At(104 + 5, 98), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(103, 97), RGB(255, 255, 255));
    // Corner 1 lands exactly where it was drawn: the cross sits inside its square.
    EXPECT_EQ(canvas.At(180, 130), kCornerLandingColour);
    EXPECT_EQ(canvas.At(184, 126), kCornerTargetColour);
    EXPECT_EQ(canvas.At(184, 130), kCornerLandingColour);
    // Corner 2 maps nowhere: only its square is drawn.
    EXPECT_EQ(canvas.At(240 - 4, 30), kCornerTargetColour);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 300, 200}, kCornerLandingColour), 2 * 17);
}

}  // namespace
