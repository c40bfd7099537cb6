#include "tracking/spot_filters.h"

#include <algorithm>

namespace {

bool IsUsable(const SpotView& view) {
    return view.frame.type() == CV_8UC3 && view.threshold.type() == CV_8UC1 &&
           view.channel >= 0 && view.channel <= 2;
}

bool IsLit(const SpotView& view, int x, int y) {
    return view.frame.ptr<uchar>(y)[3 * x + view.channel] > view.threshold.ptr<uchar>(y)[x];
}

bool Inside(const SpotView& view, int x, int y) {
    return x >= 0 && y >= 0 && x < std::min(view.frame.cols, view.threshold.cols) &&
           y < std::min(view.frame.rows, view.threshold.rows);
}

// Lit extent along `length` pixels from (x, y) in steps of (dx, dy): last - first + 1, 0 when
// nothing is lit.
int LineSpan(const SpotView& view, int x, int y, int dx, int dy, int length) {
    int first = -1;
    int last = -1;
    for (int i = 0; i < length; ++i) {
        const int px = x + i * dx;
        const int py = y + i * dy;
        if (!Inside(view, px, py) || !IsLit(view, px, py)) continue;
        if (first < 0) first = i;
        last = i;
    }
    return first < 0 ? 0 : last - first + 1;
}

// Rows on the detection area's top edge or just below it, and columns on its left edge or just
// right of it, count as unlit.
int RowSpan(const SpotView& view, int y, int x, int width) {
    if (y == view.area.y || y == view.area.Bottom()) return 0;
    return LineSpan(view, x, y, 1, 0, width);
}

int ColumnSpan(const SpotView& view, int x, int y, int height) {
    if (x == view.area.x || x == view.area.Right()) return 0;
    return LineSpan(view, x, y, 0, 1, height);
}

// The span along the middle line, and also along the lines band/2 to either side when the
// extent is more than twice the band; -1 when the extent is within the band.
template <typename Span>
int MiddleSpan(int extent, int band, int middle, Span span) {
    if (extent <= band) return -1;
    int widest = span(middle);
    if (extent > 2 * band) widest = std::max({widest, span(middle + band / 2), span(middle - band / 2)});
    return widest;
}

}  // namespace

BandResult BandTest(const SpotView& view, const PixelRect& rect, int band) {
    BandResult result;
    if (!IsUsable(view) || band < 1 || (rect.width <= band && rect.height <= band)) return result;
    result.horizontalSpan = MiddleSpan(rect.width, band, rect.y + rect.height / 2, [&](int row) {
        return RowSpan(view, row, rect.x, rect.width);
    });
    if (result.horizontalSpan <= band) return result;
    result.verticalSpan = MiddleSpan(rect.height, band, rect.x + rect.width / 2, [&](int column) {
        return ColumnSpan(view, column, rect.y, rect.height);
    });
    result.pass = result.verticalSpan <= band;
    return result;
}

bool EdgeLitTest(const SpotView& view, const PixelRect& rect, int ratio, int count) {
    if (!IsUsable(view)) return false;
    struct Sample {
        int x, y;
        bool touches;
    };
    const PixelRect& area = view.area;
    const Sample samples[4] = {
        {rect.x, rect.y + rect.height / 2, rect.x <= area.x},
        {rect.x + rect.width / 2, rect.Bottom(), rect.Bottom() >= area.Bottom()},
        {rect.Right(), rect.y + rect.height / 2, rect.Right() >= area.Right()},
        {rect.x + rect.width / 2, rect.y, rect.y <= area.y},
    };
    int lit = 0;
    int skipped = 0;
    for (const Sample& s : samples) {
        if (s.touches || !Inside(view, s.x, s.y)) {
            ++skipped;
            continue;
        }
        const long long limit =
            static_cast<long long>(view.threshold.ptr<uchar>(s.y)[s.x]) * ratio / 100;
        if (view.frame.ptr<uchar>(s.y)[3 * s.x + view.channel] > limit) ++lit;
    }
    return lit > 0 && lit + skipped >= count;
}
