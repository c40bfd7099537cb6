#include "alignment/screen_correction.h"

#include "settings/line_reader.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kKeys = "123456789a";

bool IsTunedValue(float value) {
    return std::isfinite(value) && std::fabs(value) <= ScreenCorrection::kValueLimit;
}

}  // namespace

ScreenCorrection ScreenCorrection::Defaults(int desktopWidth, int desktopHeight) {
    ScreenCorrection c;
    c.values[kScaleX] = static_cast<float>(desktopWidth / 2);
    c.values[kScaleY] = static_cast<float>(desktopHeight / 2);
    c.values[kCentreX] = static_cast<float>(desktopWidth / 2);
    c.values[kCentreY] = static_cast<float>(desktopHeight / 2);
    return c;
}

float ScreenCorrection::StepOf(int value) {
    return value >= kK1 && value <= kP2 ? 0.001f : 0.1f;
}

cv::Point2f ScreenCorrection::Apply(cv::Point2f desktop) const {
    const float k1 = values[kK1], k2 = values[kK2], p1 = values[kP1], p2 = values[kP2];
    if (k1 + k2 + p1 + p2 == 0.0f) return desktop;
    const float sx = std::fabs(values[kScaleX]) < 0.1f ? 0.1f : values[kScaleX];
    const float sy = std::fabs(values[kScaleY]) < 0.1f ? 0.1f : values[kScaleY];
    const float x = (desktop.x - values[kCentreX]) / sx;
    const float y = (desktop.y - values[kCentreY]) / sy;
    const float r2 = x * x + y * y;
    const float radial = 1.0f + k1 * r2 + k2 * r2 * r2;
    return {(x * radial + 2.0f * p1 * x * y + p2 * (r2 + 2.0f * x * x)) * sx + values[kOffsetX] +
                values[kCentreX],
            (y * radial + p1 * (r2 + 2.0f * y * y) + 2.0f * p2 * x * y) * sy + values[kOffsetY] +
                values[kCentreY]};
}

FileResult LoadScreenCorrection(ScreenCorrection& correction, int desktopWidth,
                                int desktopHeight) {
    correction = ScreenCorrection::Defaults(desktopWidth, desktopHeight);
    FileLineReader lines(kScreenCorrectionFileName);
    if (!lines.IsOpen()) return SaveScreenCorrection(correction);
    ParseScreenCorrection(lines, correction);
    return FileResult::Ok;
}

void ParseScreenCorrection(LineReader& lines, ScreenCorrection& correction) {
    const ScreenCorrection defaults = correction;
    char line[128];
    for (int i = 0; i < ScreenCorrection::kValueCount && lines.Next(line, sizeof line); ++i) {
        char format[8];
        std::snprintf(format, sizeof format, "%c= %%g", kKeys[i]);
        float value = 0.0f;
        if (std::sscanf(line, format, &value) != 1) break;
        correction.values[i] = IsTunedValue(value) ? value : defaults.values[i];
    }
}

FileResult SaveScreenCorrection(ScreenCorrection& correction) {
    UniqueStdioFile file(_wfopen(kScreenCorrectionFileName, L"w"));
    if (!file) return FileResult::CannotOpen;
    bool ok = true;
    for (int i = 0; i < ScreenCorrection::kValueCount; ++i)
        ok = std::fprintf(file.get(), "%c= %g\n", kKeys[i], correction.values[i]) > 0 && ok;
    ok = std::fclose(file.release()) == 0 && ok;
    if (!ok) return FileResult::ShortWrite;
    correction.modified = false;
    return FileResult::Ok;
}
