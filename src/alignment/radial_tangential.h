#pragma once
// The lens's radial-tangential distortion of normalized image coordinates (k1, k2, p1, p2), and
// its derivatives, shared by the camera model and the reprojection fit.
struct RadialTangential {
    double k1, k2, p1, p2;

    bool IsIdentity() const { return k1 == 0.0 && k2 == 0.0 && p1 == 0.0 && p2 == 0.0; }

    void Apply(double x, double y, double& xd, double& yd) const {
        const double r2 = x * x + y * y;
        const double radial = 1.0 + k1 * r2 + k2 * r2 * r2;
        xd = x * radial + 2.0 * p1 * x * y + p2 * (r2 + 2.0 * x * x);
        yd = y * radial + p1 * (r2 + 2.0 * y * y) + 2.0 * p2 * x * y;
    }

    // Partial derivatives of Apply: j11 = dxd/dx, j12 = dxd/dy, j21 = dyd/dx, j22 = dyd/dy.
    void Jacobian(double x, double y, double& j11, double& j12, double& j21, double& j22) const {
        const double r2 = x * x + y * y;
        const double radial = 1.0 + k1 * r2 + k2 * r2 * r2;
        const double radialSlope = 2.0 * (k1 + 2.0 * k2 * r2);  // d(radial)/d(r2) times 2
        j11 = radial + x * x * radialSlope + 2.0 * p1 * y + 6.0 * p2 * x;
        j12 = x * y * radialSlope + 2.0 * p1 * x + 2.0 * p2 * y;
        j21 = x * y * radialSlope + 2.0 * p1 * x + 2.0 * p2 * y;
        j22 = radial + y * y * radialSlope + 6.0 * p1 * y + 2.0 * p2 * x;
    }
};
