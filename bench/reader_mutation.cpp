// The settings readers under long runs of damaged input (the hardening tests feed twenty thousand
// inputs each): per reader, the time per input and how many inputs it took. Exits with 1 when an
// input broke a reader's rules, naming the rule and the input.
#include <cstdio>

#include "bench_timing.h"
#include "reader_mutations.h"

int main() {
    constexpr int kInputs = 100000;
    const BenchClock clock;
    int status = 0;
    for (const ReaderUnderMutation& reader : ReadersUnderMutation()) {
        const double start = clock.Microseconds();
        const MutationRun run = reader.run(kInputs);
        std::printf("BENCH reader_mutation_%s us_per_input=%.3f inputs=%d accepted=%d\n", reader.name,
                    (clock.Microseconds() - start) / kInputs, kInputs, run.accepted);
        if (!run.fault.empty()) {
            std::fprintf(stderr, "reader_mutation_%s: %s\n", reader.name, run.fault.c_str());
            status = 1;
        }
    }
    return status;
}
