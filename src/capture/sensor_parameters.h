#pragma once
// The two groups of sensor property values kept in the core parameter file. Both are stored on
// disk as they are, so their layouts are fixed.
#include <cstdint>

// Written once when the first frame arrives after the sensor starts.
struct SensorInitParameters {
    int32_t frequency;  // power-line frequency in Hz: 50 or 60
    int32_t colorEnabled;
    int32_t whiteBalance;
    int32_t backlightComp;
    int32_t gain;
};
static_assert(sizeof(SensorInitParameters) == 20, "SensorInitParameters is a 20-byte file record");

// One picture set-up (alignment, threshold finding, the gain levels).
struct ImagingParameters {
    int32_t brightness;
    int32_t contrast;
    int32_t hue;
    int32_t saturation;
    int32_t sharpness;
    int32_t gamma;
    int32_t exposureTime;
    int32_t thresGap;
    int32_t range;
    int32_t channel;  // 0 blue, 1 green, 2 red
};
static_assert(sizeof(ImagingParameters) == 40, "ImagingParameters is a 40-byte file record");
