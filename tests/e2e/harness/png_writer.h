#pragma once
// Saves pictures as PNG files (8-bit RGB, no filtering) for people to look at.
#include <opencv2/core.hpp>

#include <string>

// `picture` holds blue-green-red pixels; `bottomUp` when its first row is the picture's bottom
// line (as in a frame buffer).
bool WritePng(const std::string& path, const cv::Mat& picture, bool bottomUp = false);
