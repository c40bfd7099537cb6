#include "sensor_response.h"

#include <algorithm>
#include <cmath>

void SensorResponse::Configure(const PictureValues& values, const SensorSettings& settings) {
    // Exposure is log2 seconds; -5 (1/32 s) with no gain passes the light unchanged.
    scale_ = std::pow(2.0, values.camera[kExposure] + 5.0) * (1.0 + values.procAmp[kGain] / 64.0);
    gammaPower_ = 100.0 / std::max<long>(1, values.procAmp[kGamma]);
    contrast_ = values.procAmp[kContrast] / 100.0;
    offset_ = (values.procAmp[kBrightness] - 50) / 255.0;
    saturation_ = values.procAmp[kColorEnable] ? static_cast<int>(values.procAmp[kSaturation]) : 0;
    white_ = settings.screenWhite;
    black_ = settings.screenBlack;
    room_ = settings.room;
    ambient_ = settings.ambient;
    for (int coverage = 0; coverage <= 4; ++coverage)
        for (int level = 0; level < 256; ++level)
            levels_[coverage][level] = Encode(SceneRadiance(coverage, level));
}

double SensorResponse::SceneRadiance(int coverage, int level) const {
    const double screen = black_ + (white_ - black_) * level / 255.0;
    return (coverage * screen + (4 - coverage) * room_) / 4.0 + ambient_;
}

uint8_t SensorResponse::Encode(double radiance) const {
    const double signal = std::min(1.0, radiance * scale_);
    double y = signal > 0.0 ? std::pow(signal, gammaPower_) : 0.0;
    y = 0.5 + (y - 0.5) * contrast_ + offset_;
    return static_cast<uint8_t>(std::clamp(std::lround(y * 255.0), 0L, 255L));
}
