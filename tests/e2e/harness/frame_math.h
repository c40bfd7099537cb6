#pragma once
// Measurements on sensor frames (RGB24, rows in buffer order).
#include <cstdint>
#include <vector>

struct FrameView {
    const uint8_t* pixels;
    int width, height, stride;
    int At(int u, int v, int channel) const { return pixels[v * stride + u * 3 + channel]; }
};

FrameView ViewOf(const std::vector<uint8_t>& frame, int width, int height);

// Mean of all channels of all pixels.
double MeanLevel(const FrameView& frame);

// Centre of the light spot near (u, v): each pixel of the window weighs by how far `channel`
// rises above the window's border level (less a margin for noise). False when nothing does.
bool SpotCentre(const FrameView& frame, int channel, double u, double v, int radius, double* centreU,
                double* centreV);
