#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include "harness/scenario.h"
#include "harness/virtual_desktop.h"

// The main of every runner (tests/e2e, bench/soak) that links the harness, run by scripts/e2e
// inside the prefix it prepares: "--describe" prints one line per scenario (name, time limit,
// install options); NAME runs that one and prints "E2E NAME: PASS|FAIL key=value ...".
int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--describe") == 0) {
        for (const Scenario& scenario : Scenarios())
            std::printf("%s\t%d\t%s\n", scenario.name, scenario.timeoutSeconds, scenario.install);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s --describe | NAME\n", argv[0]);
        return 2;
    }
    for (const Scenario& scenario : Scenarios()) {
        if (std::strcmp(scenario.name, argv[1]) != 0) continue;
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        Report report;
        try {
            scenario.body(report);
        } catch (const std::exception& error) {
            report.Check(false, std::string("exception:") + error.what());
        }
        const std::string line = report.Line(scenario.name);
        std::printf("%s\n", line.c_str());
        HandOverResult(line);
        std::fflush(stdout);
        CoUninitialize();
        return report.Passed() ? 0 : 1;
    }
    std::fprintf(stderr, "%s: no scenario named %s\n", argv[0], argv[1]);
    return 2;
}
