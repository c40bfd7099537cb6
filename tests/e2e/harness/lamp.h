#pragma once
// A lamp in the sensor's view, sized against the area the program measures hot spots in.
#include "harness/scenario.h"
#include "harness/tracking_session.h"

// Lights a lamp at the desktop point whose hot area (after the threshold's two-pixel spread) is
// `share` of the screen area gain finding looks at; its radius and share go to the report.
void PlaceLampCovering(TrackingSession& session, double share, double desktopX, double desktopY, Report& report);
