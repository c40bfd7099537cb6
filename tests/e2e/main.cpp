// Runs end-to-end scenarios inside the prepared Wine prefix (scripts/e2e prepares it).
//   tavro_e2e --describe            one line per scenario: name, time limit, install options
//   tavro_e2e NAME                  runs it and prints "E2E NAME: PASS|FAIL key=value ..."
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include "harness/scenario.h"
#include "harness/virtual_desktop.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--describe") == 0) {
        for (const Scenario& scenario : Scenarios())
            std::printf("%s\t%d\t%s\n", scenario.name, scenario.timeoutSeconds, scenario.install);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavro_e2e --describe | NAME\n");
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
    std::fprintf(stderr, "tavro_e2e: no scenario named %s\n", argv[1]);
    return 2;
}
