#pragma once
// The image steps of gain finding that come before and after the threshold itself: spreading
// the recorded brightness and masking off everything outside the screen.
#include <opencv2/core/mat.hpp>

#include "imaging/frame_images.h"
#include "imaging/point_ring.h"

// Every recorded brightness becomes the maximum of its 5 x 5 neighbourhood (two passes of the
// 3 x 3 square), so a pen must outshine the screen around it as well.
void DilateBrightness(cv::Mat& brightness);

// thresholdImage and maskPlane: 255 outside the ring's polygon, 0 inside.
void ApplyScreenMask(FrameImages& images, const CoverageRing& ring);
