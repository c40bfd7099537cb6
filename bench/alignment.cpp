// The evaluation of a found board: 35 corners seen through a known lens and pose, refined in
// all three weighting modes (profile choice, aspect and principal-point searches, final fit).
#include <cmath>

#include "alignment/camera_model.h"
#include "alignment/display_geometry.h"
#include "alignment/pattern_screen.h"
#include "alignment/screen_mapping.h"
#include "bench_timing.h"

namespace {

constexpr DetectorProfile kLens{300.0f, 300.0f, 160.0f, 120.0f, -0.05f, 0.01f};

// Work area, text height, border, caption and menu heights of a plain 1024 x 768 desktop.
const DesktopMetrics kDesktop{{0, 0, 1024, 768}, 16, 1, 19, 19};

}  // namespace

int main() {
    CameraModel camera;
    DisplayGeometry geometry;
    PatternScreen pattern;
    pattern.SetGrid(7, 5);
    pattern.Layout(DefaultChessboardLayout(), kDesktop);
    ScreenMapping mapping(camera, geometry, pattern);
    mapping.SetProfiles(&kLens, 1);
    mapping.SetWeightingMode(3);

    // The desktop seen slightly turned, filling about 270 of the 320 sensor columns.
    camera.SetIntrinsics(kLens);
    camera.SetPose({-540.0f, -360.0f, 1140.0f, 0.05f, -0.08f, 0.03f});
    CornerBuffer seen;
    for (int i = 0; i < 35; ++i) {
        const POINT drawn = pattern.CornerPosition(i % 7 + 1, i / 7 + 1);
        const cv::Point2f p = camera.ProjectBoardPoint(static_cast<float>(drawn.x), static_cast<float>(drawn.y));
        // A little finder noise, the same every run.
        seen.points[i] = {p.x + 0.15f * std::sin(i * 1.7f), p.y + 0.15f * std::cos(i * 2.3f)};
    }
    seen.count = 35;

    ReportBench("evaluate_chessboard_35_mode3", 20, 1, [&] {
        CornerBuffer corners = seen;
        mapping.EvaluateChessboard(corners, 35);
    });
    return 0;
}
