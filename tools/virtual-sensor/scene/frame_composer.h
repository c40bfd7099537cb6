#pragma once
// Builds the sensor's frames: the desktop as the camera sees it (through precomputed sampling
// taps, rebuilt only when the lens, the pose or the desktop size change), the sensor response,
// the pens, the lamp and noise.
#include <cstdint>
#include <memory>
#include <vector>

#include "lens_camera.h"
#include "sensor_response.h"
#include "sensor_settings.h"

enum class PixelFormat { Rgb24, Yuy2 };

class FrameComposer {
public:
    FrameComposer(int width, int height);

    // Points the camera for a desktop of the given size; cheap when nothing changed.
    void Aim(const SensorSettings& settings, int desktopWidth, int desktopHeight);
    // Takes a new desktop picture: 32-bit BGRX pixels, top row first, 4 * width bytes a row.
    // Ignored unless its size is the one the camera was aimed for.
    void TakeDesktop(const uint8_t* pixels, int desktopWidth, int desktopHeight);
    // Writes one frame: RGB24 bottom-up (rows padded to 4 bytes) or YUY2 top-down.
    void Compose(const SensorResponse& response, const SensorSettings& settings, PixelFormat format,
                 uint8_t* out);

    // Sensor pixel (frame buffer rows) where a pen at desktop point (x, y) is seen.
    bool PenPixel(double x, double y, double* u, double* v) const;
    const SensorPose& Pose() const { return pose_; }
    const LensParameters& Lens() const { return lens_; }

private:
    enum class SpotShape { Pen, Disk };
    struct Spot {
        double u, v;
        SpotShape shape;
        double scale;     // frame width / 320
        double radius;    // disks, sensor pixels of this frame
        double radiance;  // at the peak
        double colour[3];  // blue, green, red shares
    };
    void BuildTaps();
    void ComposeRows(const SensorResponse& response);
    void AddSpot(const SensorResponse& response, const Spot& spot);
    void Finish(int b, int g, int r, int saturation, uint8_t* pixel);
    void ScaleNoise(double sigma);
    int NextNoise();
    void WriteRgb24(uint8_t* out) const;
    void WriteYuy2(uint8_t* out) const;

    int width_, height_;
    int desktopWidth_ = 0, desktopHeight_ = 0;
    LensParameters lens_;
    CameraView view_;
    bool aimed_ = false;
    SensorPose pose_;
    std::unique_ptr<LensCamera> camera_;
    std::vector<int32_t> taps_;     // four desktop pixel indexes per sensor pixel, -1: the room
    std::vector<uint8_t> scene_;    // per sensor pixel: mean blue, green, red seen, screen coverage
    std::vector<uint8_t> picture_;  // the composed frame, 3 bytes a pixel, buffer row order
    uint32_t random_ = 0x12345678u;
    std::vector<float> gaussian_;   // standard normal deviates
    std::vector<int16_t> noise_;    // the same, scaled to the current noise level
    double noiseSigma_ = -1.0;
};
