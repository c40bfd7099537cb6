#pragma once
// How a sensor pixel (u, v) is turned into a desktop pixel; the alignment provides it.
#include <opencv2/core/types.hpp>

#include <functional>

using SensorToDesktopFunction = std::function<cv::Point2f(float u, float v)>;
