#pragma once
// How the sensor turns light into 8-bit levels under its current controls: exposure and gain
// scale the light, gamma and contrast shape it, brightness offsets it, the result is clipped.
#include <cstdint>

#include "picture_controls.h"
#include "sensor_settings.h"

class SensorResponse {
public:
    void Configure(const PictureValues& values, const SensorSettings& settings);

    // Output level of a linear radiance (screen white is `SensorSettings::screenWhite`).
    uint8_t Encode(double radiance) const;
    // Radiance of a sensor pixel whose four sub-samples saw `coverage` screen pixels of level
    // `level` and the dark room otherwise, with the ambient light added.
    double SceneRadiance(int coverage, int level) const;
    // Output levels for each coverage 0..4 and screen level 0..255.
    const uint8_t* Levels(int coverage) const { return levels_[coverage]; }
    // Colour saturation in 1/128 steps (0 when colour is off).
    int Saturation() const { return saturation_; }

private:
    double scale_ = 1.0, gammaPower_ = 1.0, contrast_ = 1.0, offset_ = 0.0;
    double white_ = 0.6, black_ = 0.03, room_ = 0.0, ambient_ = 0.0;
    int saturation_ = 128;
    uint8_t levels_[5][256] = {};
};
