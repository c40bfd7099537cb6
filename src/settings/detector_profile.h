#pragma once
// One sensor lens profile (letters A..L of tavro_detector.und, in this order).
struct DetectorProfile {
    float fx = 0.0f;  // A: focal length in x, sensor pixels
    float fy = 0.0f;  // B: focal length in y
    float cx = 0.0f;  // C: principal point x
    float cy = 0.0f;  // D: principal point y
    float k1 = 0.0f;  // E: first radial coefficient
    float k2 = 0.0f;  // F: second radial coefficient
    float p1 = 0.0f;  // G: first tangential coefficient
    float p2 = 0.0f;  // H: second tangential coefficient
    float offset1X = 0.0f;  // I, J: pointer offset (desktop pixels) of the first set
    float offset1Y = 0.0f;
    float offset2X = 0.0f;  // K, L: pointer offset of the second set
    float offset2Y = 0.0f;
};
static_assert(sizeof(DetectorProfile) == 48, "twelve floats A..L");

// Position of the screen plane seen from the sensor: translation, then Rodrigues rotation vector.
struct CameraPose {
    float tx = 0.0f;
    float ty = 0.0f;
    float tz = 0.0f;
    float rx = 0.0f;
    float ry = 0.0f;
    float rz = 0.0f;
};
static_assert(sizeof(CameraPose) == 24, "six floats");
