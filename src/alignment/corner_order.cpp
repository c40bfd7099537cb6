#include "alignment/corner_order.h"

#include <algorithm>
#include <cmath>

#include "alignment/pattern_screen.h"

namespace {

constexpr float kSamePlace = 3.0f;

bool SamePlace(cv::Point2f a, cv::Point2f b) {
    return std::fabs(a.x - b.x) < kSamePlace && std::fabs(a.y - b.y) < kSamePlace;
}

bool IsValid(cv::Point2f p) { return p.x > 0.0f && p.y > 0.0f; }

// Centre and spread of each column's x (or each row's y) over the valid corners, and the two
// global factors: the mean spread and the mean gap between neighbouring centres.
struct LineStatistics {
    std::array<float, PatternScreen::kMaxColumns> centre{};
    std::array<float, PatternScreen::kMaxColumns> spread{};
    float meanSpread = 0.0f;
    float meanGap = 0.0f;
};

LineStatistics ColumnOrRowStatistics(const CornerBuffer& corners, int columns, int rows,
                                     bool byColumn) {
    LineStatistics s;
    const int lines = std::min(byColumn ? columns : rows, PatternScreen::kMaxColumns);
    const int along = std::min(byColumn ? rows : columns, PatternScreen::kMaxColumns);
    std::array<float, PatternScreen::kMaxColumns> values{};
    int usedLines = 0;
    float spreadSum = 0.0f;
    for (int line = 0; line < lines; ++line) {
        int n = 0;
        for (int k = 0; k < along; ++k) {
            const int index = byColumn ? k * columns + line : line * columns + k;
            const cv::Point2f p = corners.points[index];
            if (IsValid(p)) values[n++] = byColumn ? p.x : p.y;
        }
        if (n == 0) continue;
        std::nth_element(values.begin(), values.begin() + n / 2, values.begin() + n);
        s.centre[line] = values[n / 2];
        float deviation = 0.0f;
        for (int i = 0; i < n; ++i) deviation += std::fabs(values[i] - s.centre[line]);
        s.spread[line] = deviation / n;
        spreadSum += s.spread[line];
        ++usedLines;
    }
    if (usedLines == 0) return s;
    s.meanSpread = spreadSum / usedLines;
    float gapSum = 0.0f;
    int gaps = 0;
    for (int line = 1; line < lines; ++line) {
        if (s.centre[line] == 0.0f || s.centre[line - 1] == 0.0f) continue;
        gapSum += std::fabs(s.centre[line] - s.centre[line - 1]);
        ++gaps;
    }
    s.meanGap = gaps ? gapSum / gaps : 0.0f;
    return s;
}

// One filter pass over `corners` (statistics from `reference`); returns the corners marked or
// -1 for a degenerate set.
int FilterPass(CornerBuffer& corners, const CornerBuffer& reference, int columns, int rows,
               float k) {
    const LineStatistics xs = ColumnOrRowStatistics(reference, columns, rows, true);
    const LineStatistics ys = ColumnOrRowStatistics(reference, columns, rows, false);
    if (xs.meanGap == 0.0f || ys.meanGap == 0.0f) return -1;
    // The allowance: a share of the neighbour gap, widened by the set's own scatter.
    const float mx = (xs.meanGap / 4.0f) * (1.0f + xs.meanSpread / xs.meanGap) * k;
    const float my = (ys.meanGap / 4.0f) * (1.0f + ys.meanSpread / ys.meanGap) * k;
    int marked = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            cv::Point2f& p = corners.points[row * columns + column];
            if (!IsValid(p)) continue;
            bool stray = false;
            if (std::fabs(p.x - xs.centre[column]) > xs.spread[column] + mx) {
                p.x = -p.x;
                stray = true;
            }
            if (std::fabs(p.y - ys.centre[row]) > ys.spread[row] + my) {
                p.y = -p.y;
                stray = true;
            }
            marked += stray ? 1 : 0;
        }
    }
    return marked;
}

}  // namespace

bool CornerOrderIsValid(const CornerBuffer& corners, int columns, int rows) {
    const int n = columns * rows;
    if (corners.count != n || n > CornerBuffer::kCapacity || columns < 2 || rows < 2) return false;
    const cv::Point2f* p = corners.points;
    auto at = [&](int r, int c) { return p[r * columns + c]; };
    // The board's own axes: where its rows and its columns run on average. The sensor may be
    // rolled to any angle, so neither needs to follow the picture's x or y.
    cv::Point2f rowAxis(0.0f, 0.0f), columnAxis(0.0f, 0.0f);
    for (int r = 0; r < rows; ++r) rowAxis += at(r, columns - 1) - at(r, 0);
    for (int c = 0; c < columns; ++c) columnAxis += at(rows - 1, c) - at(0, c);
    for (int r = 0; r < rows; ++r)
        for (int c = 1; c < columns; ++c)
            if ((at(r, c) - at(r, c - 1)).dot(rowAxis) <= 0.0f) return false;
    for (int c = 0; c < columns; ++c)
        for (int r = 1; r < rows; ++r)
            if ((at(r, c) - at(r - 1, c)).dot(columnAxis) <= 0.0f) return false;
    // Every cell turns the same way round: a folded or twisted set is no board.
    int turn = 0;
    for (int r = 1; r < rows; ++r)
        for (int c = 1; c < columns; ++c) {
            const float cross = (at(r, c) - at(r, c - 1)).cross(at(r, c) - at(r - 1, c));
            const int sign = cross > 0.0f ? 1 : cross < 0.0f ? -1 : 0;
            if (sign == 0 || (turn != 0 && sign != turn)) return false;
            turn = sign;
        }
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (IsValid(p[i]) && IsValid(p[j]) && SamePlace(p[i], p[j])) return false;
    return true;
}

void MirrorCorners(CornerBuffer& corners, int columns, int rows, bool mirrorColumns,
                   bool mirrorRows) {
    const CornerBuffer original = corners;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int fromColumn = mirrorColumns ? columns - 1 - c : c;
            const int fromRow = mirrorRows ? rows - 1 - r : r;
            corners.points[r * columns + c] = original.points[fromRow * columns + fromColumn];
        }
}

void OrientCorners(CornerBuffer& corners, int columns, int rows, int drawn, int seen) {
    MirrorCorners(corners, columns, rows, drawn % 2 != seen % 2, drawn / 2 != seen / 2);
}

int VoteQuadrant(const CornerBuffer& found, const CornerBuffer& saved, int columns, int rows) {
    std::array<int, 4> votes{};
    std::array<bool, CornerBuffer::kCapacity> used{};
    const int savedCount = std::min(columns * rows, CornerBuffer::kCapacity);
    const int foundCount = std::clamp(found.count, 0, CornerBuffer::kCapacity);
    for (int i = 0; i < foundCount; ++i) {
        for (int s = 0; s < savedCount; ++s) {
            if (used[s] || !SamePlace(found.points[i], saved.points[s])) continue;
            used[s] = true;
            const int quadrant = CornerQuadrant(s, columns, rows);
            if (quadrant >= 0) ++votes[quadrant];
            break;
        }
    }
    const int winner = static_cast<int>(std::max_element(votes.begin(), votes.end()) - votes.begin());
    return votes[winner] >= std::max(foundCount - 2, 2) ? winner : -1;
}

int FilterStrayCorners(CornerBuffer& corners, int columns, int rows) {
    if (columns < 1 || rows < 1 || columns > PatternScreen::kMaxColumns ||
        rows > PatternScreen::kMaxRows)
        return -1;
    const CornerBuffer unfiltered = corners;
    if (FilterPass(corners, unfiltered, columns, rows, 2.0f) < 0) return -1;
    corners = unfiltered;
    const int marked = FilterPass(corners, unfiltered, columns, rows, 1.0f);
    if (marked < 0) return -1;
    corners.count = static_cast<int>(std::count_if(
        corners.points, corners.points + columns * rows, IsValid));
    return marked;
}

void SeenCorners::DropRepeats(CornerBuffer& corners) {
    int kept = 0;
    const int n = std::clamp(corners.count, 0, CornerBuffer::kCapacity);
    for (int i = 0; i < n; ++i) {
        const cv::Point2f p = corners.points[i];
        const bool seen = std::any_of(positions_.begin(), positions_.begin() + count_,
                                      [&](cv::Point2f q) { return SamePlace(p, q); });
        if (seen) continue;
        if (count_ < static_cast<int>(positions_.size())) positions_[count_++] = p;
        corners.points[kept++] = p;
    }
    for (int i = kept; i < n; ++i) corners.points[i] = {0.0f, 0.0f};
    corners.count = kept;
}
