#pragma once
// A small lens-like correction applied to desktop points after the mapping, tuned by hand in
// Track and kept in tavro_screen.und.
#include <opencv2/core/types.hpp>

#include <array>

#include "settings/file_result.h"

class LineReader;

inline constexpr wchar_t kScreenCorrectionFileName[] = L"tavro_screen.und";

struct ScreenCorrection {
    enum Value { kScaleX, kScaleY, kCentreX, kCentreY, kK1, kK2, kP1, kP2, kOffsetX, kOffsetY,
                 kValueCount };
    // Anything tuned by hand is a few pixels or a small coefficient; beyond this a value would
    // only throw the pointer off the desktop.
    static constexpr float kValueLimit = 1.0e6f;
    std::array<float, kValueCount> values{};
    bool modified = false;

    // Scales and centre at the desktop's halves, no distortion, no offset.
    static ScreenCorrection Defaults(int desktopWidth, int desktopHeight);
    // Unchanged when k1 + k2 + p1 + p2 is exactly 0.
    cv::Point2f Apply(cv::Point2f desktop) const;
    // Step of one arrow-key press for a value: 0.1 for scales, centre and offsets, 0.001 for
    // the distortion coefficients.
    static float StepOf(int value);
};

// Reads the file; when it cannot be opened the defaults are written at once. Values that are
// not finite or beyond a million take their defaults.
FileResult LoadScreenCorrection(ScreenCorrection& correction, int desktopWidth, int desktopHeight);
// The same over lines from anywhere, onto a correction that holds the defaults.
void ParseScreenCorrection(LineReader& lines, ScreenCorrection& correction);
// Writes the file and clears the modified flag on success.
FileResult SaveScreenCorrection(ScreenCorrection& correction);
