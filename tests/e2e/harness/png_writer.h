#pragma once
// Saves pictures as PNG files (8-bit RGB, no filtering) for people to look at.
#include <cstdint>
#include <string>

// `pixels` are blue-green-red triples; rows `stride` bytes apart; `bottomUp` when the first row
// is the picture's bottom line (as in a frame buffer).
bool WritePng(const std::string& path, const uint8_t* pixels, int width, int height, int stride, bool bottomUp);
