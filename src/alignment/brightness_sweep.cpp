#include "alignment/brightness_sweep.h"

#include <algorithm>

void BrightnessSweep::Configure(const int32_t tune[3], int deviceMinimum, int deviceMaximum) {
    maxPercent_ = std::clamp(static_cast<int>(tune[0]), 0, 100);
    minPercent_ = std::clamp(static_cast<int>(tune[1]), 0, 100);
    if (maxPercent_ < minPercent_) std::swap(maxPercent_, minPercent_);
    stepPercent_ = std::clamp(static_cast<int>(tune[2]), -100, 100);
    deviceMinimum_ = std::min(deviceMinimum, deviceMaximum);
    deviceMaximum_ = std::max(deviceMinimum, deviceMaximum);
    Restart();
}

void BrightnessSweep::Restart() {
    percent_ = stepPercent_ > 0 ? minPercent_ : maxPercent_;
}

bool BrightnessSweep::Advance() {
    const int next = std::clamp(percent_ + stepPercent_, minPercent_, maxPercent_);
    if (next == percent_) return false;
    percent_ = next;
    return true;
}

int BrightnessSweep::DeviceValueAt(int percent) const {
    const long long span = static_cast<long long>(deviceMaximum_) - deviceMinimum_;
    return static_cast<int>(deviceMinimum_ + percent * span / 100);
}

int BrightnessSweep::ShownPercent() const {
    const int span = maxPercent_ - minPercent_;
    if (span == 0) return 100;
    return stepPercent_ > 0 ? 100 * (percent_ - minPercent_) / span
                            : 100 * (maxPercent_ - percent_) / span;
}

namespace {

// Frames a partial count may be retried before it is taken as the position's count.
constexpr int kSweepRetries = 5;

}  // namespace

SweepJudge::Move SweepJudge::Take(int found, int value) {
    // A low count may be a frame that caught the board badly: a few more frames get a say.
    if (found < leastCorners_ && framesRetried_ < kSweepRetries) {
        ++framesRetried_;
        return Move::LookAgain;
    }
    framesRetried_ = 0;
    if (found > bestCount_) {
        bestCount_ = found;
        bestValue_ = value;
    }
    return Move::GoOn;
}
