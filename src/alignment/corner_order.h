#pragma once
// Checks and repairs on a found chessboard: whether its corners come in the drawn order, which
// way round the sensor sees it, and which corners of a set collected one by one stray from
// their row or column.
#include <array>

#include "settings/pattern_points.h"

// 35 corners that form a board at any roll: every step along a row moves the same way as the
// rows do on average, every step down a column the same way as the columns, every cell turns
// the same way round, and no two corners lie within 3 pixels of each other on both axes.
bool CornerOrderIsValid(const CornerBuffer& corners, int columns, int rows);

// Mirrors the board's columns (corner (c, r) <-> (columns - 1 - c, r)) and/or rows.
void MirrorCorners(CornerBuffer& corners, int columns, int rows, bool mirrorColumns,
                   bool mirrorRows);

// Re-orders `saved` for a lit quadrant drawn at `drawn` but seen at `seen` (0 top-left,
// 1 top-right, 2 bottom-left, 3 bottom-right).
void OrientCorners(CornerBuffer& corners, int columns, int rows, int drawn, int seen);

// Each found corner votes for the quadrant of the first unused saved corner within 3 pixels on
// both axes. The winner (first on ties) needs max(found - 2, 2) votes; -1 otherwise.
int VoteQuadrant(const CornerBuffer& found, const CornerBuffer& saved, int columns, int rows);

// Marks (negates) the coordinate of each valid corner that lies far from its column's x or its
// row's y, in two passes (the second again from the unfiltered set, tighter). Returns the count
// of corners marked in the second pass, or -1 when the set's spread is degenerate.
int FilterStrayCorners(CornerBuffer& corners, int columns, int rows);

// Positions seen so far in a corner-by-corner search; a new corner within 3 pixels of one of
// them (both axes) is the same corner seen again.
class SeenCorners {
public:
    void Clear() { count_ = 0; }
    // Drops the buffer's corners seen before, remembers the others, compacts the buffer.
    void DropRepeats(CornerBuffer& corners);
    int Count() const { return count_; }

private:
    std::array<cv::Point2f, 64> positions_{};
    int count_ = 0;
};
