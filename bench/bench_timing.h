#pragma once
// Timing for the benchmark programs: runs a piece of work many times and prints one line
// "BENCH <name> median_us=... p99_us=...".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

class BenchClock {
public:
    BenchClock() { QueryPerformanceFrequency(&frequency_); }
    double Microseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart * 1e6 / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
};

// Times `runs` samples of `work`, each sample `batch` calls (for work shorter than the clock's
// resolution), after a warm-up; reports per call.
template <typename Work>
void ReportBench(const char* name, int runs, int batch, Work work) {
    const BenchClock clock;
    for (int i = 0; i < runs / 10 + 1; ++i) work();
    std::vector<double> samples(runs);
    for (double& sample : samples) {
        const double start = clock.Microseconds();
        for (int i = 0; i < batch; ++i) work();
        sample = (clock.Microseconds() - start) / batch;
    }
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    std::printf("BENCH %s median_us=%.3f p99_us=%.3f\n", name, median, p99);
    std::fflush(stdout);
}
