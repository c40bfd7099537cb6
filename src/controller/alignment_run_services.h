#pragma once
// What both alignment runs ask of the program around them: the sensor's settle wait and a
// repaint of the sensor preview.
#include "settings/core_parameter_record.h"

class AlignmentRunServices {
public:
    virtual ~AlignmentRunServices() = default;
    // Sets the sensor's picture controls and starts the wait for them to settle.
    virtual void SettleOn(const ImagingParameters& row) = 0;
    // True (and one frame counted down) while the sensor is settling.
    virtual bool SettlingFrame() = 0;
    // The sensor preview changed.
    virtual void PreviewChanged() = 0;
};
