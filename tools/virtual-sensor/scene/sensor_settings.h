#pragma once
// What the virtual sensor sees and how it behaves: the lens, where the camera stands, the room
// and the lights in it. Starting values describe the default room; the control file changes them.
#include <string>

struct LensParameters {
    // Pinhole and Brown distortion for a 320 x 240 picture, in pixels of the frame buffer's rows.
    // The default is the lens of the shipped tavro_detector.und profile.
    double fx = 300.0, fy = 300.0, cx = 160.0, cy = 120.0;
    double k1 = -0.05, k2 = 0.01, p1 = 0.0, p2 = 0.0;
};

// The camera aims at a point of the screen from a direction given by yaw (left/right) and pitch
// (up/down), rolled about its axis, at the distance where the screen's width fills `fill` of the
// picture's width. An explicit pose (screen plane -> camera, desktop pixels and a rotation vector)
// replaces the view when given.
struct CameraView {
    double yawDegrees = 7.0, pitchDegrees = -5.0, rollDegrees = 2.0;
    double fill = 0.84;
    double aimX = 0.5, aimY = 0.5;  // fractions of the desktop
    bool explicitPose = false;
    double pose[6] = {};  // tx ty tz rx ry rz
};

struct LightSpot {
    bool on = false;
    double x = 0.0, y = 0.0;  // pens: desktop pixels; the lamp: sensor pixels of a 320 x 240 frame
};

enum class FormatSet { Rgb24, Yuy2 };

struct SensorSettings {
    LensParameters lens;
    CameraView view;
    LightSpot pen, pen2, lamp;
    double lampRadius = 4.0;       // sensor pixels
    double ambient = 0.0;          // light added everywhere, in screen-white units
    double noise = 1.5;            // standard deviation in output levels
    double fps = 30.0;
    double captureHz = 12.0;       // how often the desktop is grabbed
    bool unplugged = false;
    FormatSet formats = FormatSet::Rgb24;
    bool exposureControl = true;   // whether the camera control offers an exposure range
    double screenWhite = 0.6;      // radiance of a white desktop pixel
    double screenBlack = 0.03;     // the projector's black level
    double room = 0.004;           // the dark room around the screen
    double penRadiance = 40.0;     // peak radiance of the pen's red light
};

// Applies the control file's lines ("key value ...", '#' starts a comment) over the defaults.
// Lines that cannot be read are skipped and described, one per line, in `problems`.
SensorSettings ParseSensorSettings(const std::string& text, std::string* problems = nullptr);
