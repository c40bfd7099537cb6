#include "scenario.h"

#include <cstdio>
#include <sstream>

std::vector<Scenario>& Scenarios() {
    static std::vector<Scenario> scenarios;
    return scenarios;
}

void Report::Figure(const std::string& key, double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    figures_.push_back(key + "=" + text);
}

void Report::Figure(const std::string& key, const std::string& value) {
    std::string safe = value;
    for (char& c : safe)
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') c = '_';
    figures_.push_back(key + "=" + safe);
}

void Report::Figure(const std::string& key, const std::wstring& value) {
    std::string narrow;
    for (wchar_t c : value) narrow += c < 128 ? static_cast<char>(c) : '?';
    Figure(key, narrow);
}

bool Report::Check(bool condition, const std::string& what) {
    if (!condition) failures_.push_back(what);
    return condition;
}

std::string Report::Line(const std::string& name) const {
    std::string line = "E2E " + name + ": " + (Passed() ? "PASS" : "FAIL");
    for (const std::string& figure : figures_) line += " " + figure;
    if (!failures_.empty()) {
        std::string reasons;
        for (const std::string& failure : failures_) reasons += (reasons.empty() ? "" : ";") + failure;
        for (char& c : reasons)
            if (c == ' ') c = '_';
        line += " failed=" + reasons;
    }
    return line;
}

void Report::Include(const std::string& line) {
    std::istringstream in(line);
    std::string prefix, name, verdict, word;
    in >> prefix >> name >> verdict;
    while (in >> word) {
        if (word.rfind("failed=", 0) != 0) {
            figures_.push_back(word);
            continue;
        }
        std::istringstream reasons(word.substr(7));
        std::string reason;
        while (std::getline(reasons, reason, ';')) failures_.push_back(reason);
    }
    if (line.find(": PASS") == std::string::npos && failures_.empty()) failures_.push_back("inner_run");
}
