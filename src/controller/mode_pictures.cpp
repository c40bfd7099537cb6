// The overlays of the Track picture: while the screen correction is tuned, the stored corners
// where the pointer lands for them and the panel itself.
#include "controller/controller.h"

#include "controller/tuning_panel_picture.h"

void Controller::PaintTrackOverlays(HDC dc, const RECT& client) {
    if (!tuningPanel_.IsOpen()) return;
    POINT origin = {0, 0};
    ClientToScreen(mainWindow_, &origin);
    DrawCornerOverlay(dc, records_.alignmentResult.posePoints, trackRun_.ToDesktop(), origin);
    DrawTuningPanel(dc, client, tuningPanel_, model_.screenCorrection);
}
