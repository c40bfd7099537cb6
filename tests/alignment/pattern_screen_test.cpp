// Board layout, pattern advance and what each pattern kind puts on the screen.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "alignment/pattern_screen.h"
#include "pixel_canvas.h"
#include "test_desktop.h"

namespace {

// The patterns drawn into a screen-sized picture; colours are symmetric, so COLORREF order is fine.
class Canvas : public testsupport::PixelCanvas {
public:
    using PixelCanvas::PixelCanvas;
    void Draw(const PatternScreen& screen, bool gray = false) {
        RECT client{0, 0, Width(), Height()};
        screen.Draw(Dc(), client, POINT{0, 0}, gray);
    }
    DWORD At(POINT p) const { return PixelCanvas::At(p.x, p.y); }
};

// Centre of drawn square (column, row).
POINT SquareCentre(const PatternScreen& s, int column, int row) {
    POINT p = s.CornerPosition(column, row);
    return {p.x + s.SquareWidth() / 2, p.y + s.SquareHeight() / 2};
}

constexpr DWORD kWhite = 0xFFFFFF, kBlack = 0x000000, kLightGray = 0xC0C0C0;

// Square width and height, and a point, as pairs that compare and print.
std::pair<int, int> Squares(const PatternScreen& s) { return {s.SquareWidth(), s.SquareHeight()}; }
std::pair<LONG, LONG> Xy(POINT p) { return {p.x, p.y}; }

PatternScreen Board(int columns, int rows, int width, int height) {
    PatternScreen s;
    s.SetGrid(columns, rows);
    s.Layout(DefaultChessboardLayout(), Desktop(width, height));
    return s;
}

struct Square {
    int column, row;
    DWORD colour;
};

// Draws the pattern and checks the colour at the centre of each listed square.
void ExpectSquares(Canvas& canvas, const PatternScreen& s, std::initializer_list<Square> squares) {
    canvas.Draw(s);
    for (const Square& q : squares)
        EXPECT_EQ(canvas.At(SquareCentre(s, q.column, q.row)), q.colour) << q.column << "," << q.row;
}

}  // namespace

TEST(PatternScreenLayout, BoardSizeOriginAndScaleRules) {
    PatternScreen s = Board(7, 5, 1024, 768);
    // Reserved height 19 + 32 + 6 + 19 + 1 = 77 above the board, two captions below it.
    EXPECT_EQ(Squares(s), std::make_pair(1004 / 8, (720 - 87) / 6));
    EXPECT_EQ(Xy(s.Origin()), std::make_pair(512L - 8 * 125 / 2, (720L + 87) / 2 - 6 * 105 / 2));
    auto span = s.InnerCornerSpan();
    EXPECT_EQ(span[0].x, s.Origin().x + 125);
    EXPECT_EQ(span[1].x, s.Origin().x + 7 * 125);
    EXPECT_EQ(span[1].y, s.Origin().y + 5 * 105);

    for (int outOfRange : {0, 151, -5}) {
        s.Layout(ChessboardLayoutRecord{0, 0, outOfRange, outOfRange, 0}, Desktop(1024, 768));
        EXPECT_EQ(Squares(s), std::make_pair(125, 105)) << outOfRange;
    }
    s.Layout(ChessboardLayoutRecord{0, 0, 50, 150, 0}, Desktop(1024, 768));
    EXPECT_EQ(Squares(s), std::make_pair(62, 157));

    // A negative offset moves the board left and up by a share of the work area.
    s.Layout(DefaultChessboardLayout(), Desktop(1024, 768));
    const POINT centred = s.Origin();
    s.Layout(ChessboardLayoutRecord{-10, -5, 100, 100, 0}, Desktop(1024, 768));
    EXPECT_EQ(Xy(s.Origin()), std::make_pair(centred.x - 102, centred.y - 38));

    const PatternScreen portrait = Board(5, 7, 768, 1024);
    EXPECT_EQ(Squares(portrait), std::make_pair(748 / 6, (1024 - 10 - 38 - 87) / 8));
    EXPECT_EQ(portrait.InnerCornerSpan()[1].y, portrait.Origin().y + 7 * portrait.SquareHeight());
}

TEST(PatternScreenKinds, AdvanceRule) {
    PatternScreen s;
    // The kind set first (-1: none), then the kind and level (-1: not looked at) after an advance.
    const int steps[][3] = {{kPatternWhite, kPatternBlack, 35}, {kPatternChessboardAgain, kPatternSingleCorner, 0},
                            {-1, kPatternChessboard, 35}, {8, 5, -1}, {-1, 6, -1}};
    for (const auto& step : steps) {
        if (step[0] >= 0) s.SetKind(step[0]);
        s.Advance();
        EXPECT_EQ(s.Kind(), step[1]) << step[0];
        EXPECT_TRUE(step[2] < 0 || s.Level() == step[2]) << step[0] << ": level " << s.Level();
    }
}

TEST(PatternScreenKinds, CornerQuadrants) {
    // Index, columns, rows, quadrant: column 3 of 7 counts as right, row 2 of 5 as bottom.
    const int cases[][4] = {{0, 7, 5, 0},   {3, 7, 5, 1},  {14, 7, 5, 2}, {34, 7, 5, 3},
                            {35, 7, 5, -1}, {-1, 7, 5, -1}, {2, 5, 7, 1},  {15, 5, 7, 2}};
    for (const auto& c : cases) EXPECT_EQ(CornerQuadrant(c[0], c[1], c[2]), c[3]) << c[0] << " of " << c[1];
}

TEST(PatternScreenDrawing, ChessboardGrayBoardReferencesAndQuadrantsInBothStyles) {
    PatternScreen s = Board(7, 5, 1024, 768);
    Canvas canvas(1024, 768);
    ExpectSquares(canvas, s, {{0, 0, kWhite}, {1, 0, kBlack}, {7, 5, kWhite}, {6, 5, kBlack}});
    EXPECT_EQ(canvas.At({2, 2}), kWhite);

    canvas.Draw(s, true);
    EXPECT_EQ(canvas.At(SquareCentre(s, 1, 0)), kLightGray);

    s.SetKind(kPatternBlack);
    ExpectSquares(canvas, s, {{0, 0, kBlack}, {1, 0, kBlack}});
    s.SetKind(kPatternWhite);
    ExpectSquares(canvas, s, {{1, 0, kWhite}});
    s.SetKind(5);  // top-left, squares
    ExpectSquares(canvas, s, {{1, 0, kWhite}, {3, 2, kWhite}, {5, 0, kBlack}, {1, 4, kBlack}});
    s.SetKind(8);  // bottom-right, squares
    ExpectSquares(canvas, s, {{5, 4, kWhite}, {1, 0, kBlack}});

    s.SetQuadrantStyle(1);
    s.SetKind(6);  // top-right, filled rectangle shrunk by an eighth
    canvas.Draw(s);
    EXPECT_EQ(canvas.At({768, 192}), kWhite);
    EXPECT_EQ(canvas.At({512 + 20, 10}), kBlack);
    EXPECT_EQ(canvas.At({256, 192}), kBlack);
    EXPECT_EQ(canvas.At({768, 576}), kBlack);
}

TEST(PatternScreenDrawing, SingleCornerUsesTheBoardsColumnCount) {
    for (auto [columns, rows, width, height] : {std::array<int, 4>{7, 5, 1024, 768},
                                                std::array<int, 4>{5, 7, 768, 1024}}) {
        PatternScreen s = Board(columns, rows, width, height);
        s.SetKind(kPatternSingleCorner, 8);
        Canvas canvas(width, height);
        const int c = 8 % columns, r = 8 / columns;
        // The last square is white on a full board.
        ExpectSquares(canvas, s, {{c + 1, r, kWhite}, {c, r + 1, kWhite}, {c, r, kBlack},
                                  {c + 1, r + 1, kBlack}, {c + 1, r + 3, kBlack}});
    }
}
