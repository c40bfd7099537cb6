#pragma once
// Positions of the brightness sweep of auto alignment. The three tuning values (Tune Max, Tune
// Min, Tune Step) are percentages of the swept property's device range, so the same file suits
// a brightness control of 0..255 and an exposure control of -8..-1.
#include <cstdint>

class BrightnessSweep {
public:
    // tune: Tune Max, Tune Min, Tune Step in percent; the device range of the swept property.
    // Bounds given the wrong way round are swapped; percentages are kept within 0..100.
    void Configure(const int32_t tune[3], int deviceMinimum, int deviceMaximum);

    // Back to the first position: Tune Min for a positive step, Tune Max otherwise.
    void Restart();
    // One step on, clamped into [Tune Min, Tune Max]; false (position unchanged) when the sweep
    // has ended: a step of 0 or the bound in the step's direction reached.
    bool Advance();

    int Percent() const { return percent_; }
    // minimum + percent x (maximum - minimum) / 100 of the current position.
    int DeviceValue() const { return DeviceValueAt(percent_); }
    int DeviceValueAt(int percent) const;
    // How far the sweep has got, 0..100, for the preview; 100 when there is only one position.
    int ShownPercent() const;

private:
    int maxPercent_ = 100;
    int minPercent_ = 0;
    int stepPercent_ = 20;
    int deviceMinimum_ = 0;
    int deviceMaximum_ = 0;
    int percent_ = 0;
};

// Weighs the board's corner count seen at each position of the sweep: whether to look at
// another frame or move on, and which position showed the board best.
class SweepJudge {
public:
    enum class Move { LookAgain, GoOn };

    // leastCorners: the fewest corners an evaluation takes.
    explicit SweepJudge(int leastCorners) : leastCorners_(leastCorners) {}

    // found: corners seen in this frame at the position whose device value is `value`.
    Move Take(int found, int value);

    bool SawCorners() const { return bestCount_ > 0; }
    int BestValue() const { return bestValue_; }

private:
    int leastCorners_;
    int framesRetried_ = 0;
    int bestCount_ = 0;
    int bestValue_ = 0;
};
