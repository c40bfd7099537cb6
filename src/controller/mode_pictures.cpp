// The manual alignment's picture and the overlays of the Track picture. Until manual alignment
// draws its own dots, its picture is the background with the prompt that waits for the user.
#include "controller/controller.h"

#include "app/unique_handle.h"


void Controller::PaintTrackOverlays(HDC, const RECT&) {}
