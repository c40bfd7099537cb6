#pragma once
// What Track draws while the screen correction is tuned: the panel with its ten values, and
// the stored alignment's corners where the pointer would land with the present correction.
#include <windows.h>

#include "settings/pattern_points.h"
#include "controller/tuning_panel.h"
#include "tracking/sensor_to_desktop.h"

inline constexpr COLORREF kTuningPanelFill = RGB(192, 192, 192);
inline constexpr COLORREF kCornerTargetColour = RGB(128, 128, 128);
inline constexpr COLORREF kCornerLandingColour = RGB(0, 0, 255);
// Half the size of a corner's target square and of its landing cross.
inline constexpr int kCornerMarkHalfSize = 4;

// Light grey fill, bump edge on all four sides, the lines one text line apart from 10 pixels
// inside the top-left corner, the selected one blue, the others grey.
void DrawTuningPanel(HDC dc, const RECT& client, const TuningPanel& panel,
                     const ScreenCorrection& correction);

// For each stored corner: a grey square round the desktop point where it was drawn and a blue
// cross where the pointer lands for it now. Returns how many corners were drawn.
int DrawCornerOverlay(HDC dc, const PosePoints& corners, const SensorToDesktopFunction& toDesktop,
                      POINT clientOrigin);
