#include "lens_camera.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

void Multiply(const double a[9], const double b[9], double out[9]) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out[i * 3 + j] = a[i * 3] * b[j] + a[i * 3 + 1] * b[3 + j] + a[i * 3 + 2] * b[6 + j];
}

void AxisRotation(int axis, double degrees, double out[9]) {
    const double c = std::cos(degrees * kPi / 180.0), s = std::sin(degrees * kPi / 180.0);
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    for (int i = 0; i < 9; ++i) out[i] = 0.0;
    out[axis * 4] = 1.0;
    out[a * 3 + a] = c;
    out[a * 3 + b] = -s;
    out[b * 3 + a] = s;
    out[b * 3 + b] = c;
}

bool Invert(const double m[9], double out[9]) {
    const double det = m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
                       m[2] * (m[3] * m[7] - m[4] * m[6]);
    if (std::fabs(det) < 1e-300) return false;
    out[0] = (m[4] * m[8] - m[5] * m[7]) / det;
    out[1] = (m[2] * m[7] - m[1] * m[8]) / det;
    out[2] = (m[1] * m[5] - m[2] * m[4]) / det;
    out[3] = (m[5] * m[6] - m[3] * m[8]) / det;
    out[4] = (m[0] * m[8] - m[2] * m[6]) / det;
    out[5] = (m[2] * m[3] - m[0] * m[5]) / det;
    out[6] = (m[3] * m[7] - m[4] * m[6]) / det;
    out[7] = (m[1] * m[6] - m[0] * m[7]) / det;
    out[8] = (m[0] * m[4] - m[1] * m[3]) / det;
    return true;
}

}  // namespace

void RotationFromVector(const double vector[3], double matrix[9]) {
    const double angle = std::sqrt(vector[0] * vector[0] + vector[1] * vector[1] + vector[2] * vector[2]);
    if (angle < 1e-12) {
        for (int i = 0; i < 9; ++i) matrix[i] = (i % 4 == 0) ? 1.0 : 0.0;
        return;
    }
    const double x = vector[0] / angle, y = vector[1] / angle, z = vector[2] / angle;
    const double c = std::cos(angle), s = std::sin(angle), C = 1.0 - c;
    const double m[9] = {c + x * x * C,     x * y * C - z * s, x * z * C + y * s,
                         y * x * C + z * s, c + y * y * C,     y * z * C - x * s,
                         z * x * C - y * s, z * y * C + x * s, c + z * z * C};
    for (int i = 0; i < 9; ++i) matrix[i] = m[i];
}

SensorPose PoseForView(const CameraView& view, const LensParameters& lens, int desktopWidth,
                       int desktopHeight) {
    SensorPose pose;
    if (view.explicitPose) {
        RotationFromVector(view.pose + 3, pose.r);
        for (int i = 0; i < 3; ++i) pose.t[i] = view.pose[i];
        return pose;
    }
    // Facing the screen upright: desktop x -> camera x, desktop y (down) -> fewer buffer rows.
    const double facing[9] = {1, 0, 0, 0, -1, 0, 0, 0, -1};
    double yaw[9], pitch[9], roll[9], a[9], b[9];
    AxisRotation(1, view.yawDegrees, yaw);
    AxisRotation(0, view.pitchDegrees, pitch);
    AxisRotation(2, view.rollDegrees, roll);
    Multiply(yaw, facing, a);
    Multiply(pitch, a, b);
    Multiply(roll, b, pose.r);
    const double distance = lens.fx * desktopWidth / (view.fill * 320.0);
    const double aim[3] = {view.aimX * desktopWidth, view.aimY * desktopHeight, 0.0};
    for (int i = 0; i < 3; ++i)
        pose.t[i] = (i == 2 ? distance : 0.0) -
                    (pose.r[i * 3] * aim[0] + pose.r[i * 3 + 1] * aim[1] + pose.r[i * 3 + 2] * aim[2]);
    return pose;
}

LensParameters ScaledLens(const LensParameters& lens, double scale) {
    LensParameters scaled = lens;
    scaled.fx *= scale;
    scaled.fy *= scale;
    scaled.cx = (lens.cx + 0.5) * scale - 0.5;
    scaled.cy = (lens.cy + 0.5) * scale - 0.5;
    return scaled;
}

LensCamera::LensCamera(const LensParameters& lens, const SensorPose& pose) : lens_(lens), pose_(pose) {
    const double plane[9] = {pose.r[0], pose.r[1], pose.t[0],
                             pose.r[3], pose.r[4], pose.t[1],
                             pose.r[6], pose.r[7], pose.t[2]};
    if (!Invert(plane, planeInverse_))
        for (double& value : planeInverse_) value = 0.0;
}

void LensCamera::Distort(double x, double y, double* xd, double* yd) const {
    const double r2 = x * x + y * y;
    const double radial = 1.0 + lens_.k1 * r2 + lens_.k2 * r2 * r2;
    *xd = x * radial + 2.0 * lens_.p1 * x * y + lens_.p2 * (r2 + 2.0 * x * x);
    *yd = y * radial + lens_.p1 * (r2 + 2.0 * y * y) + 2.0 * lens_.p2 * x * y;
}

void LensCamera::Undistort(double xd, double yd, double* x, double* y) const {
    double px = xd, py = yd;
    for (int i = 0; i < 30; ++i) {
        double fx, fy;
        Distort(px, py, &fx, &fy);
        const double ex = fx - xd, ey = fy - yd;
        if (std::fabs(ex) < 1e-12 && std::fabs(ey) < 1e-12) break;
        const double r2 = px * px + py * py;
        const double radial = 1.0 + lens_.k1 * r2 + lens_.k2 * r2 * r2;
        const double dRadial = 2.0 * (lens_.k1 + 2.0 * lens_.k2 * r2);  // times x or y
        const double j11 = radial + px * px * dRadial + 2.0 * lens_.p1 * py + 6.0 * lens_.p2 * px;
        const double j12 = px * py * dRadial + 2.0 * lens_.p1 * px + 2.0 * lens_.p2 * py;
        const double j21 = j12;  // the distortion's Jacobian is symmetric
        const double j22 = radial + py * py * dRadial + 6.0 * lens_.p1 * py + 2.0 * lens_.p2 * px;
        const double det = j11 * j22 - j12 * j21;
        if (std::fabs(det) < 1e-12) break;
        px -= (j22 * ex - j12 * ey) / det;
        py -= (j11 * ey - j21 * ex) / det;
    }
    *x = px;
    *y = py;
}

bool LensCamera::Project(double x, double y, double* u, double* v) const {
    const double* r = pose_.r;
    const double cx = r[0] * x + r[1] * y + pose_.t[0];
    const double cy = r[3] * x + r[4] * y + pose_.t[1];
    const double cz = r[6] * x + r[7] * y + pose_.t[2];
    if (cz <= 1e-9) return false;
    double xd, yd;
    Distort(cx / cz, cy / cz, &xd, &yd);
    *u = lens_.fx * xd + lens_.cx;
    *v = lens_.fy * yd + lens_.cy;
    return true;
}

bool LensCamera::SensorToDesktop(double u, double v, double* x, double* y) const {
    double rx, ry;
    Undistort((u - lens_.cx) / lens_.fx, (v - lens_.cy) / lens_.fy, &rx, &ry);
    const double* h = planeInverse_;
    const double w = h[6] * rx + h[7] * ry + h[8];
    if (w <= 1e-12) return false;  // the plane lies behind the camera along this ray
    *x = (h[0] * rx + h[1] * ry + h[2]) / w;
    *y = (h[3] * rx + h[4] * ry + h[5]) / w;
    return true;
}
