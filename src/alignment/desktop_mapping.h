#pragma once
// A pen centroid in sensor pixels to the desktop pixel the pointer goes to: the alignment's
// mapping, the hand-tuned screen correction, then the lens profile's pointer offset.
#include <opencv2/core/types.hpp>

#include "alignment/screen_correction.h"
#include "alignment/screen_mapping.h"

cv::Point2f MapToDesktop(const ScreenMapping& mapping, const ScreenCorrection& correction,
                         cv::Point2f centroid);
