#pragma once
// The virtual sensor's camera: a pinhole with radial-tangential distortion looking at the screen
// plane (desktop pixels, Z = 0). Sensor pixel centres sit at whole numbers; rows count in the
// frame buffer's order, so a camera that sees the desktop upright has its top at high rows.
#include "sensor_settings.h"

struct SensorPose {
    double r[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // rotation, row-major, screen plane -> camera
    double t[3] = {0, 0, 1};
};

// Rotation matrix of a rotation vector (axis times angle in radians).
void RotationFromVector(const double vector[3], double matrix[9]);

// The pose the view describes for a desktop of the given size.
SensorPose PoseForView(const CameraView& view, const LensParameters& lens, int desktopWidth,
                       int desktopHeight);

// The lens for a picture `scale` times as wide as 320 x 240.
LensParameters ScaledLens(const LensParameters& lens, double scale);

class LensCamera {
public:
    LensCamera(const LensParameters& lens, const SensorPose& pose);

    // Sensor pixel that sees desktop point (x, y); false when the point is behind the camera.
    bool Project(double x, double y, double* u, double* v) const;
    // Desktop point seen by sensor pixel (u, v); false when that ray misses the screen plane.
    bool SensorToDesktop(double u, double v, double* x, double* y) const;

private:
    void Distort(double x, double y, double* xd, double* yd) const;
    void Undistort(double xd, double yd, double* x, double* y) const;

    LensParameters lens_;
    SensorPose pose_;
    double planeInverse_[9];  // inverse of [r1 r2 t]
};
