#pragma once
// End-to-end scenarios: each registers a name, the virtual-sensor install options it needs
// (handed to scripts/vsensor-install), its time limit and a body that checks and reports.
#include <windows.h>

#include <string>
#include <vector>

// Asks `done` every 50 ms until it holds or `timeoutMs` have passed; its last answer.
template <typename Done>
bool WaitUntil(DWORD timeoutMs, Done done) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
    return true;
}

class Report {
public:
    void Figure(const std::string& key, double value, int decimals = 1);
    void Figure(const std::string& key, const std::string& value);
    void Figure(const std::string& key, const std::wstring& value);  // ASCII texts such as titles
    // Records a failure (with its reason as a figure) unless `condition` holds; returns it.
    bool Check(bool condition, const std::string& what);
    // Takes over the figures and failures of another run's result line ("E2E name: ...").
    void Include(const std::string& line);
    bool Passed() const { return failures_.empty(); }
    std::string Line(const std::string& name) const;

private:
    std::vector<std::string> figures_;
    std::vector<std::string> failures_;
};

using ScenarioBody = void (*)(Report& report);

struct Scenario {
    const char* name;
    const char* install;  // options for scripts/vsensor-install
    int timeoutSeconds;
    ScenarioBody body;
};

std::vector<Scenario>& Scenarios();

struct ScenarioRegistration {
    ScenarioRegistration(const char* name, const char* install, int timeoutSeconds, ScenarioBody body) {
        Scenarios().push_back({name, install, timeoutSeconds, body});
    }
};

#define E2E_SCENARIO(name, install, timeoutSeconds)                                              \
    static void name##_body(Report& report);                                                     \
    static ScenarioRegistration name##_registration(#name, install, timeoutSeconds, name##_body); \
    static void name##_body(Report& report)
