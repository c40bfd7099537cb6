#pragma once
// Steps of the manual alignment, as kept in the ModeRecord.
enum ManualStep : int {
    kManualPreview = 1,             // sensor picture until the user starts
    kManualTrackingProperties = 2,  // picture controls of the track gain level
    kManualClearBackground = 3,
    kManualThreshold = 4,           // screen brightness over 20 frames
    kManualInput = 5,               // the pen on the nine dots
    kManualFinish = 6,              // evaluation of the dots
    kManualHotSpotCheck = 7,        // Ctrl+Z: is there a light that is not the pen?
};
