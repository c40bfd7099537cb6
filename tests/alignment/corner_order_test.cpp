// Order check, mirroring, quadrant voting and the stray-corner filter on drawn corner grids.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "alignment/corner_order.h"

namespace {

// A 7 x 5 grid seen slightly rotated: 30 pixels between corners, starting at (60, 50).
CornerBuffer Grid(int columns = 7, int rows = 5) {
    CornerBuffer b{};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            b.points[r * columns + c] = {60.0f + 30.0f * c + 2.0f * r, 50.0f + 30.0f * r - 1.5f * c};
    b.count = columns * rows;
    return b;
}

// The grid turned about (160, 120), as a sensor rolled by that angle would see it.
CornerBuffer Turned(CornerBuffer b, float degrees) {
    const float a = degrees * 3.14159265f / 180.0f;
    for (int i = 0; i < b.count; ++i) {
        const cv::Point2f d = b.points[i] - cv::Point2f(160.0f, 120.0f);
        b.points[i] = {160.0f + d.x * std::cos(a) - d.y * std::sin(a),
                       120.0f + d.x * std::sin(a) + d.y * std::cos(a)};
    }
    return b;
}

}  // namespace

TEST(CornerOrder, AcceptsOnlyFullStrictlyOrderedBoardsAtAnyRoll) {
    for (const float degrees : {37.0f, 90.0f, 135.0f, 270.0f}) {
        CornerBuffer b = Turned(Grid(), degrees);
        EXPECT_TRUE(CornerOrderIsValid(b, 7, 5)) << degrees;
        MirrorCorners(b, 7, 5, true, false);
        EXPECT_TRUE(CornerOrderIsValid(b, 7, 5)) << degrees << " mirrored";
    }
    const struct { const char* what; void (*change)(CornerBuffer&); bool valid; } cases[] = {
        {"upright", [](CornerBuffer&) {}, true},
        {"upside down", [](CornerBuffer& b) { MirrorCorners(b, 7, 5, true, true); }, true},
        {"quarter turn, a row folded back over its neighbour", [](CornerBuffer& b) {
             b = Turned(b, 90.0f);
             std::swap(b.points[14], b.points[21]);
         }, false},
        {"two corners swapped", [](CornerBuffer& b) { std::swap(b.points[8], b.points[9]); }, false},
        {"34 corners", [](CornerBuffer& b) { b.count = 34; }, false},
        {"no row direction", [](CornerBuffer& b) { b.points[6].x = b.points[0].x; }, false},
        {"column 1 stops moving down", [](CornerBuffer& b) { b.points[15].y = b.points[8].y; }, false},
        {"2 px apart in x, 5 px in y along each row", [](CornerBuffer& b) {
             for (int i = 0; i < 35; ++i) b.points[i] = {60.0f + 2.0f * i, 50.0f + 40.0f * (i / 7) + 5.0f * (i % 7)};
         }, true},
        {"within 3 px on both axes", [](CornerBuffer& b) {
             for (int i = 0; i < 35; ++i) b.points[i] = {60.0f + 2.0f * i, 50.0f + 0.1f * i};
         }, false},
    };
    for (const auto& c : cases) {
        CornerBuffer b = Grid();
        c.change(b);
        EXPECT_EQ(CornerOrderIsValid(b, 7, 5), c.valid) << c.what;
    }
}

TEST(CornerOrder, OrientationMirrorsByQuadrantHalves) {
    // The grid, the two quadrants, and corners with the grid corner each must now hold.
    const struct { int columns, rows, from, to; std::vector<std::pair<int, int>> moved; } cases[] = {
        {7, 5, 0, 0, {{0, 0}}},
        {7, 5, 0, 1, {{0, 6}, {7, 13}}},    // other column half: columns mirrored
        {7, 5, 1, 3, {{0, 28}}},            // other row half: rows mirrored
        {7, 5, 2, 1, {{0, 34}, {17, 17}}},  // diagonal: both
        {5, 7, 0, 3, {{0, 34}, {4, 30}}},
    };
    for (const auto& c : cases) {
        const CornerBuffer grid = Grid(c.columns, c.rows);
        CornerBuffer b = grid;
        OrientCorners(b, c.columns, c.rows, c.from, c.to);
        for (const auto& [index, source] : c.moved)
            EXPECT_EQ(b.points[index], grid.points[source]) << c.from << " to " << c.to << ", corner " << index;
    }
}

TEST(CornerOrder, QuadrantVotesNeedAMajorityOfTheFoundCorners) {
    const CornerBuffer saved = Grid();
    CornerBuffer found{};
    // The mini board of the top-right quadrant: saved corners 3, 4, 5, 10, 11, 12, nudged.
    for (int index : {3, 4, 5, 10, 11, 12})
        found.points[found.count++] = saved.points[index] + cv::Point2f(1.0f, -1.0f);
    EXPECT_EQ(VoteQuadrant(found, saved, 7, 5), 1);

    // Only 2 of 6 match anything: not enough votes.
    found.count = 0;
    for (int index : {28, 29}) found.points[found.count++] = saved.points[index];
    for (int i = 0; i < 4; ++i) found.points[found.count++] = {300.0f + i * 10, 5.0f};
    EXPECT_EQ(VoteQuadrant(found, saved, 7, 5), -1);

    // Two corners on the same saved corner count once.
    found.count = 0;
    found.points[found.count++] = saved.points[34];
    found.points[found.count++] = saved.points[34] + cv::Point2f(0.5f, 0.5f);
    EXPECT_EQ(VoteQuadrant(found, saved, 7, 5), -1);
    found.points[found.count++] = saved.points[33];
    EXPECT_EQ(VoteQuadrant(found, saved, 7, 5), 3);
}

TEST(CornerOrder, StrayCornerFilterMarksOnlyTheStray) {
    CornerBuffer b = Grid();
    EXPECT_EQ(FilterStrayCorners(b, 7, 5), 0);
    EXPECT_EQ(b.count, 35);

    b = Grid();
    b.points[16].x += 20.0f;  // two thirds of a column gap off
    EXPECT_EQ(FilterStrayCorners(b, 7, 5), 1);
    EXPECT_LT(b.points[16].x, 0.0f);
    EXPECT_GT(b.points[16].y, 0.0f);
    EXPECT_EQ(b.count, 34);

    b = Grid();
    for (int i = 14; i < 35; ++i) b.points[i] = {0.0f, 0.0f};  // lost corners take no part
    b.points[2].y += 25.0f;
    EXPECT_EQ(FilterStrayCorners(b, 7, 5), 1);
    EXPECT_LT(b.points[2].y, 0.0f);

    CornerBuffer degenerate{};
    degenerate.points[0] = {100.0f, 100.0f};
    degenerate.count = 1;
    EXPECT_EQ(FilterStrayCorners(degenerate, 7, 5), -1);
}

TEST(CornerOrder, SeenCornersDropRepeatsWithinThreePixels) {
    SeenCorners seen;
    CornerBuffer b{};
    b.points[0] = {50.0f, 50.0f};
    b.count = 1;
    seen.DropRepeats(b);
    EXPECT_EQ(b.count, 1);

    b.points[0] = {52.9f, 47.1f};  // the same corner seen again
    b.points[1] = {80.0f, 50.0f};
    b.count = 2;
    seen.DropRepeats(b);
    ASSERT_EQ(b.count, 1);
    EXPECT_EQ(b.points[0], cv::Point2f(80.0f, 50.0f));
    EXPECT_EQ(b.points[1], cv::Point2f(0.0f, 0.0f));
    EXPECT_EQ(seen.Count(), 2);
    seen.Clear();
    b.points[0] = {50.0f, 50.0f};
    b.count = 1;
    seen.DropRepeats(b);
    EXPECT_EQ(b.count, 1);
}
