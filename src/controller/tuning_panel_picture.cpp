#include "controller/tuning_panel_picture.h"

#include "base/unique_handle.h"

#include <algorithm>
#include <cmath>

void DrawTuningPanel(HDC dc, const RECT& client, const TuningPanel& panel,
                     const ScreenCorrection& correction) {
    RECT area = TuningPanel::Placement(client);
    UniqueBrush fill(CreateSolidBrush(kTuningPanelFill));
    FillRect(dc, &area, fill.Get());
    DrawEdge(dc, &area, EDGE_BUMP, BF_RECT);

    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SetBkMode(dc, TRANSPARENT);
    for (int line = 0; line < TuningPanel::kLineCount; ++line) {
        wchar_t text[TuningPanel::kLineLength];
        TuningPanel::LineText(correction, line, text, TuningPanel::kLineLength);
        SetTextColor(dc, panel.LineColour(line));
        TextOutW(dc, area.left + TuningPanel::kTextInset,
                 area.top + TuningPanel::kTextInset + line * metrics.tmHeight, text,
                 static_cast<int>(wcslen(text)));
    }
}

int DrawCornerOverlay(HDC dc, const PosePoints& corners, const SensorToDesktopFunction& toDesktop,
                      POINT clientOrigin) {
    UniquePen targetPen(CreatePen(PS_SOLID, 1, kCornerTargetColour));
    UniquePen landingPen(CreatePen(PS_SOLID, 1, kCornerLandingColour));
    const int count = corners.count < 0 ? 0 : std::min(corners.count, PosePoints::kCapacity);
    constexpr int h = kCornerMarkHalfSize;
    for (int i = 0; i < count; ++i) {
        const cv::Point3f& drawn = corners.objectPoints[i];
        const int tx = static_cast<int>(drawn.x) - clientOrigin.x;
        const int ty = static_cast<int>(drawn.y) - clientOrigin.y;
        {
            SelectedObject pen(dc, targetPen.Get());
            const POINT square[] = {{tx - h, ty - h}, {tx + h, ty - h}, {tx + h, ty + h},
                                    {tx - h, ty + h}, {tx - h, ty - h}};
            Polyline(dc, square, 5);
        }
        const cv::Point2f landed = toDesktop(corners.imagePoints[i].x, corners.imagePoints[i].y);
        if (!std::isfinite(landed.x) || !std::isfinite(landed.y)) continue;
        const int lx = static_cast<int>(landed.x) - clientOrigin.x;
        const int ly = static_cast<int>(landed.y) - clientOrigin.y;
        SelectedObject pen(dc, landingPen.Get());
        MoveToEx(dc, lx - h, ly, nullptr);
        LineTo(dc, lx + h + 1, ly);
        MoveToEx(dc, lx, ly - h, nullptr);
        LineTo(dc, lx, ly + h + 1);
    }
    return count;
}
