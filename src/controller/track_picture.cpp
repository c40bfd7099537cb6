#include "controller/track_picture.h"

#include "base/unique_handle.h"

#include <algorithm>
#include <vector>

void DrawTrackGrid(HDC dc, const RECT& client) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    for (LONG x = 0; x < client.right; x += kTrackGridSpacing) {
        MoveToEx(dc, x, client.top, nullptr);
        LineTo(dc, x, client.bottom);
    }
    for (LONG y = 0; y < client.bottom; y += kTrackGridSpacing) {
        MoveToEx(dc, client.left, y, nullptr);
        LineTo(dc, client.right, y);
    }
}

SIZE HotSpotMarkerHalfSize(const RECT& client, int frameWidth, int frameHeight) {
    const LONG width = client.right - client.left;
    const LONG height = client.bottom - client.top;
    const LONG halfWidth = frameWidth > 0 ? width / frameWidth / 2 : 0;
    const LONG halfHeight = frameHeight > 0 ? height / frameHeight / 2 : 0;
    return {std::max(halfWidth, 2L), std::max(halfHeight, 2L)};
}

int HotSpotMarkers(const HotSpotSource& source, SIZE halfSize, RECT* markers, int capacity) {
    const cv::Mat* threshold = source.threshold;
    if (!threshold || threshold->empty() || threshold->type() != CV_8UC1 || !source.toDesktop) {
        return 0;
    }
    const PixelRect area = ClipToImage(source.area, threshold->cols, threshold->rows);
    const int wanted = std::min(source.count, capacity);
    int found = 0;
    for (int y = area.y; y < area.Bottom() && found < wanted; ++y) {
        const uchar* row = threshold->ptr<uchar>(y);
        for (int x = area.x; x < area.Right() && found < wanted; ++x) {
            if (row[x] != 255) continue;
            const cv::Point2f desktop =
                source.toDesktop(static_cast<float>(x), static_cast<float>(y));
            const LONG cx = static_cast<LONG>(desktop.x) - source.clientOrigin.x;
            const LONG cy = static_cast<LONG>(desktop.y) - source.clientOrigin.y;
            markers[found++] = {cx - halfSize.cx, cy - halfSize.cy, cx + halfSize.cx,
                                cy + halfSize.cy};
        }
    }
    return found;
}

int DrawHotSpotMarkers(HDC dc, const RECT& client, const HotSpotSource& source) {
    if (source.count <= 0 || !source.threshold) return 0;
    const SIZE half = HotSpotMarkerHalfSize(client, source.threshold->cols, source.threshold->rows);
    std::vector<RECT> markers(static_cast<size_t>(source.count));
    const int count = HotSpotMarkers(source, half, markers.data(), source.count);
    UniqueBrush yellow(CreateSolidBrush(kHotSpotMarkerColour));
    for (int i = 0; i < count; ++i) FillRect(dc, &markers[i], yellow.Get());
    return count;
}
