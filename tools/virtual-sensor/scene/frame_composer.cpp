#include "frame_composer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool SameLens(const LensParameters& a, const LensParameters& b) {
    return a.fx == b.fx && a.fy == b.fy && a.cx == b.cx && a.cy == b.cy && a.k1 == b.k1 &&
           a.k2 == b.k2 && a.p1 == b.p1 && a.p2 == b.p2;
}

bool SameView(const CameraView& a, const CameraView& b) {
    if (a.explicitPose != b.explicitPose) return false;
    if (a.explicitPose) return std::equal(a.pose, a.pose + 6, b.pose);
    return a.yawDegrees == b.yawDegrees && a.pitchDegrees == b.pitchDegrees &&
           a.rollDegrees == b.rollDegrees && a.fill == b.fill && a.aimX == b.aimX && a.aimY == b.aimY;
}

uint8_t Clip(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

constexpr double kPenColour[3] = {0.2, 0.25, 1.0};   // a red light
constexpr double kLampColour[3] = {0.7, 0.9, 1.0};   // a warm white lamp
constexpr double kLampRadiance = 40.0;               // bright enough to saturate at any exposure

// The pen's diffusing tip at 320 x 240: a bright core (a Gaussian of one pixel) in a wider glow
// (exp(-r^2 / R^2)), together about seven pixels across where a threshold over the screen cuts
// them. The shares are of the peak radiance, which core and glow make together at the centre.
constexpr double kPenCoreSigma = 1.0;
constexpr double kPenHaloRadius = 2.4;
constexpr double kPenHaloShare = 0.2;
// A sensor pixel gathers the tip's light over its whole area: this many samples a side.
constexpr int kPenSamplesPerSide = 4;

// Share of the peak radiance at squared distance d2 (pixels at 320 x 240) from the tip's centre.
double PenProfile(double d2) {
    const double core = std::exp(-d2 / (2.0 * kPenCoreSigma * kPenCoreSigma));
    const double halo = std::exp(-d2 / (kPenHaloRadius * kPenHaloRadius));
    return (1.0 - kPenHaloShare) * core + kPenHaloShare * halo;
}

// Mean of the profile over the pixel whose centre lies (du, dv) from the tip, both in pixels
// of a frame `scale` times as wide as 320 x 240.
double PenPixelShare(double du, double dv, double scale) {
    double sum = 0.0;
    for (int i = 0; i < kPenSamplesPerSide; ++i) {
        const double su = (du + (i + 0.5) / kPenSamplesPerSide - 0.5) / scale;
        for (int j = 0; j < kPenSamplesPerSide; ++j) {
            const double sv = (dv + (j + 0.5) / kPenSamplesPerSide - 0.5) / scale;
            sum += PenProfile(su * su + sv * sv);
        }
    }
    return sum / (kPenSamplesPerSide * kPenSamplesPerSide);
}

// Share of a disk of the given radius covering the pixel at distance d: a one-pixel ramp.
double DiskShare(double d, double radius) { return std::clamp(radius + 0.5 - d, 0.0, 1.0); }

}  // namespace

FrameComposer::FrameComposer(int width, int height)
    : width_(width), height_(height), taps_(width * height * 4, -1), scene_(width * height * 4, 0),
      picture_(width * height * 3, 0), gaussian_(4096), noise_(4096, 0) {
    // Normal deviates for the sensor noise (Box-Muller over a fixed sequence).
    uint32_t state = 2463534242u;
    auto uniform = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state + 0.5) / 4294967296.0;
    };
    for (float& value : gaussian_)
        value = static_cast<float>(std::sqrt(-2.0 * std::log(uniform())) * std::cos(6.283185307179586 * uniform()));
}

void FrameComposer::Aim(const SensorSettings& settings, int desktopWidth, int desktopHeight) {
    const LensParameters lens = ScaledLens(settings.lens, width_ / 320.0);
    if (aimed_ && desktopWidth == desktopWidth_ && desktopHeight == desktopHeight_ &&
        SameLens(lens, lens_) && SameView(settings.view, view_))
        return;
    aimed_ = true;
    desktopWidth_ = desktopWidth;
    desktopHeight_ = desktopHeight;
    lens_ = lens;
    view_ = settings.view;
    pose_ = PoseForView(settings.view, settings.lens, desktopWidth, desktopHeight);
    camera_ = std::make_unique<LensCamera>(lens_, pose_);
    BuildTaps();
}

void FrameComposer::BuildTaps() {
    static const double kOffsets[4][2] = {{-0.25, -0.25}, {0.25, -0.25}, {-0.25, 0.25}, {0.25, 0.25}};
    int32_t* tap = taps_.data();
    for (int v = 0; v < height_; ++v) {
        for (int u = 0; u < width_; ++u) {
            for (const auto& offset : kOffsets) {
                double x, y;
                *tap = -1;
                if (camera_->SensorToDesktop(u + offset[0], v + offset[1], &x, &y)) {
                    const double column = std::floor(x + 0.5), row = std::floor(y + 0.5);
                    if (column >= 0 && column < desktopWidth_ && row >= 0 && row < desktopHeight_)
                        *tap = static_cast<int32_t>(row) * desktopWidth_ + static_cast<int32_t>(column);
                }
                ++tap;
            }
        }
    }
    std::fill(scene_.begin(), scene_.end(), 0);
}

void FrameComposer::TakeDesktop(const uint8_t* pixels, int desktopWidth, int desktopHeight) {
    if (!aimed_ || desktopWidth != desktopWidth_ || desktopHeight != desktopHeight_) return;
    const int32_t* tap = taps_.data();
    uint8_t* seen = scene_.data();
    for (int i = 0; i < width_ * height_; ++i, tap += 4, seen += 4) {
        int sum[3] = {0, 0, 0}, coverage = 0;
        for (int k = 0; k < 4; ++k) {
            if (tap[k] < 0) continue;
            const uint8_t* p = pixels + static_cast<size_t>(tap[k]) * 4;
            sum[0] += p[0];
            sum[1] += p[1];
            sum[2] += p[2];
            ++coverage;
        }
        for (int c = 0; c < 3; ++c) seen[c] = static_cast<uint8_t>(coverage ? sum[c] / coverage : 0);
        seen[3] = static_cast<uint8_t>(coverage);
    }
}

bool FrameComposer::PenPixel(double x, double y, double* u, double* v) const {
    return camera_ && camera_->Project(x, y, u, v);
}

void FrameComposer::ScaleNoise(double sigma) {
    if (sigma == noiseSigma_) return;
    noiseSigma_ = sigma;
    for (size_t i = 0; i < noise_.size(); ++i) noise_[i] = static_cast<int16_t>(std::lround(gaussian_[i] * sigma));
}

int FrameComposer::NextNoise() {
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return noise_[random_ & 4095];
}

void FrameComposer::Finish(int b, int g, int r, int saturation, uint8_t* pixel) {
    if (saturation != 128) {
        const int luma = (b + g + r) / 3;
        b = luma + (b - luma) * saturation / 128;
        g = luma + (g - luma) * saturation / 128;
        r = luma + (r - luma) * saturation / 128;
    }
    if (noiseSigma_ > 0.0) {
        b += NextNoise();
        g += NextNoise();
        r += NextNoise();
    }
    pixel[0] = Clip(b);
    pixel[1] = Clip(g);
    pixel[2] = Clip(r);
}

void FrameComposer::ComposeRows(const SensorResponse& response) {
    const uint8_t* seen = scene_.data();
    uint8_t* pixel = picture_.data();
    const int saturation = response.Saturation();
    for (int i = 0; i < width_ * height_; ++i, seen += 4, pixel += 3) {
        const uint8_t* levels = response.Levels(seen[3]);
        Finish(levels[seen[0]], levels[seen[1]], levels[seen[2]], saturation, pixel);
    }
}

void FrameComposer::AddSpot(const SensorResponse& response, const Spot& spot) {
    // Beyond 2.5 halo radii the pen's light is below a thousandth of its peak.
    const double extent = spot.shape == SpotShape::Pen ? 2.5 * kPenHaloRadius * spot.scale
                                                       : spot.radius + 2.0;
    const int reach = static_cast<int>(std::ceil(extent));
    const int u0 = std::max(0, static_cast<int>(std::floor(spot.u)) - reach);
    const int u1 = std::min(width_ - 1, static_cast<int>(std::ceil(spot.u)) + reach);
    const int v0 = std::max(0, static_cast<int>(std::floor(spot.v)) - reach);
    const int v1 = std::min(height_ - 1, static_cast<int>(std::ceil(spot.v)) + reach);
    for (int v = v0; v <= v1; ++v) {
        for (int u = u0; u <= u1; ++u) {
            const double du = u - spot.u, dv = v - spot.v;
            const double share = spot.shape == SpotShape::Pen
                                     ? PenPixelShare(du, dv, spot.scale)
                                     : DiskShare(std::sqrt(du * du + dv * dv), spot.radius);
            if (share < 1e-4) continue;
            const uint8_t* seen = &scene_[(v * width_ + u) * 4];
            int level[3];
            for (int c = 0; c < 3; ++c)
                level[c] = response.Encode(response.SceneRadiance(seen[3], seen[c]) +
                                           spot.radiance * spot.colour[c] * share);
            Finish(level[0], level[1], level[2], response.Saturation(), &picture_[(v * width_ + u) * 3]);
        }
    }
}

void FrameComposer::Compose(const SensorResponse& response, const SensorSettings& settings,
                            PixelFormat format, uint8_t* out) {
    ScaleNoise(settings.noise);
    ComposeRows(response);
    const double scale = width_ / 320.0;
    for (const LightSpot* pen : {&settings.pen, &settings.pen2}) {
        double u, v;
        if (pen->on && PenPixel(pen->x, pen->y, &u, &v)) {
            const Spot spot{u, v, SpotShape::Pen, scale, 0.0, settings.penRadiance,
                            {kPenColour[0], kPenColour[1], kPenColour[2]}};
            AddSpot(response, spot);
        }
    }
    if (settings.lamp.on) {
        const Spot lamp{(settings.lamp.x + 0.5) * scale - 0.5, (settings.lamp.y + 0.5) * scale - 0.5,
                        SpotShape::Disk, scale, settings.lampRadius * scale, kLampRadiance,
                        {kLampColour[0], kLampColour[1], kLampColour[2]}};
        AddSpot(response, lamp);
    }
    if (format == PixelFormat::Rgb24)
        WriteRgb24(out);
    else
        WriteYuy2(out);
}

void FrameComposer::WriteRgb24(uint8_t* out) const {
    const int stride = (width_ * 3 + 3) & ~3;
    for (int v = 0; v < height_; ++v) {
        uint8_t* row = out + v * stride;
        std::memcpy(row, &picture_[v * width_ * 3], width_ * 3);
        std::memset(row + width_ * 3, 0, stride - width_ * 3);
    }
}

void FrameComposer::WriteYuy2(uint8_t* out) const {
    // YUY2 rows run top-down: the picture's top is the last buffer row of the RGB frame.
    for (int row = 0; row < height_; ++row) {
        const uint8_t* source = &picture_[(height_ - 1 - row) * width_ * 3];
        uint8_t* target = out + row * width_ * 2;
        for (int u = 0; u + 1 < width_; u += 2, source += 6, target += 4) {
            const int b0 = source[0], g0 = source[1], r0 = source[2];
            const int b1 = source[3], g1 = source[4], r1 = source[5];
            target[0] = Clip(((66 * r0 + 129 * g0 + 25 * b0 + 128) >> 8) + 16);
            target[2] = Clip(((66 * r1 + 129 * g1 + 25 * b1 + 128) >> 8) + 16);
            const int r = (r0 + r1) / 2, g = (g0 + g1) / 2, b = (b0 + b1) / 2;
            target[1] = Clip(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
            target[3] = Clip(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
        }
    }
}
