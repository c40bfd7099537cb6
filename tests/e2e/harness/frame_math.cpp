#include "frame_math.h"

#include <algorithm>
#include <cmath>

FrameView ViewOf(const std::vector<uint8_t>& frame, int width, int height) {
    return {frame.data(), width, height, (width * 3 + 3) & ~3};
}

double MeanLevel(const FrameView& frame) {
    double sum = 0.0;
    for (int v = 0; v < frame.height; ++v)
        for (int i = 0; i < frame.width * 3; ++i) sum += frame.pixels[v * frame.stride + i];
    return sum / (static_cast<double>(frame.width) * frame.height * 3);
}

bool SpotCentre(const FrameView& frame, int channel, double u, double v, int radius, double* centreU,
                double* centreV) {
    const int u0 = std::max(0, static_cast<int>(u) - radius), u1 = std::min(frame.width - 1, static_cast<int>(u) + radius);
    const int v0 = std::max(0, static_cast<int>(v) - radius), v1 = std::min(frame.height - 1, static_cast<int>(v) + radius);
    double border = 0.0;
    int borderCount = 0;
    for (int y = v0; y <= v1; ++y)
        for (int x = u0; x <= u1; ++x)
            if (y == v0 || y == v1 || x == u0 || x == u1) {
                border += frame.At(x, y, channel);
                ++borderCount;
            }
    if (borderCount == 0) return false;
    const double floor = border / borderCount + 12.0;
    double weight = 0.0, sumU = 0.0, sumV = 0.0;
    for (int y = v0; y <= v1; ++y)
        for (int x = u0; x <= u1; ++x) {
            const double w = frame.At(x, y, channel) - floor;
            if (w <= 0.0) continue;
            weight += w;
            sumU += w * x;
            sumV += w * y;
        }
    if (weight <= 0.0) return false;
    *centreU = sumU / weight;
    *centreV = sumV / weight;
    return true;
}
