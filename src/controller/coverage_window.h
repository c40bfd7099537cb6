#pragma once
// The picture shown while the user is asked about an incomplete sensor view: the whole desktop
// dark green, the part the sensor sees white.
#include <windows.h>

#include <array>

using SensorViewOutline = std::array<POINT, 16>;

// Shows the picture over the desktop, asks question 10024 and removes the picture again.
// Without the picture (class or window refused) the question is asked on its own, owned by
// `main`. True for Yes.
bool AskCoverageOverPicture(HWND main, const SensorViewOutline& outline);
