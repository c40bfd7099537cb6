#include "sensor_settings.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

namespace {

bool ReadNumbers(std::istringstream& in, std::vector<double>& values, size_t required) {
    values.clear();
    double value;
    while (in >> value) {
        if (!std::isfinite(value)) return false;
        values.push_back(value);
    }
    return values.size() >= required;
}

bool ReadSwitch(const std::string& word, bool* on) {
    if (word == "on" || word == "1") { *on = true; return true; }
    if (word == "off" || word == "0") { *on = false; return true; }
    return false;
}

// "x y [on|off]" or "off"/"on" alone (keeps the position).
bool ReadLight(std::istringstream& in, LightSpot* light, double* radius) {
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    if (words.size() == 1) return ReadSwitch(words[0], &light->on);
    if (words.size() < 2) return false;
    char* end = nullptr;
    double x = std::strtod(words[0].c_str(), &end);
    if (*end) return false;
    double y = std::strtod(words[1].c_str(), &end);
    if (*end || !std::isfinite(x) || !std::isfinite(y)) return false;
    bool on = true;
    if (words.size() >= 3 && !ReadSwitch(words[2], &on)) return false;
    if (words.size() >= 4) {
        if (!radius) return false;
        double r = std::strtod(words[3].c_str(), &end);
        if (*end || !(r > 0.0 && r < 100.0)) return false;
        *radius = r;
    }
    light->x = x;
    light->y = y;
    light->on = on;
    return true;
}

using LineReader = std::function<bool(std::istringstream&, SensorSettings&)>;

LineReader Number(double SensorSettings::*field, double low, double high) {
    return [field, low, high](std::istringstream& in, SensorSettings& s) {
        std::vector<double> v;
        if (!ReadNumbers(in, v, 1) || v.size() != 1 || v[0] < low || v[0] > high) return false;
        s.*field = v[0];
        return true;
    };
}

const std::map<std::string, LineReader>& Readers() {
    static const std::map<std::string, LineReader> readers = {
        {"lens", [](std::istringstream& in, SensorSettings& s) {
             std::vector<double> v;
             if (!ReadNumbers(in, v, 4) || v.size() > 8 || v[0] <= 0.0 || v[1] <= 0.0) return false;
             v.resize(8, 0.0);
             s.lens = {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
             return true;
         }},
        {"view", [](std::istringstream& in, SensorSettings& s) {
             std::vector<double> v;
             if (!ReadNumbers(in, v, 4) || (v.size() != 4 && v.size() != 6)) return false;
             if (!(v[3] > 0.05 && v[3] <= 5.0)) return false;
             s.view.yawDegrees = v[0];
             s.view.pitchDegrees = v[1];
             s.view.rollDegrees = v[2];
             s.view.fill = v[3];
             if (v.size() == 6) {
                 s.view.aimX = v[4];
                 s.view.aimY = v[5];
             }
             s.view.explicitPose = false;
             return true;
         }},
        {"pose", [](std::istringstream& in, SensorSettings& s) {
             std::vector<double> v;
             if (!ReadNumbers(in, v, 6) || v.size() != 6) return false;
             for (int i = 0; i < 6; ++i) s.view.pose[i] = v[i];
             s.view.explicitPose = true;
             return true;
         }},
        {"pen", [](std::istringstream& in, SensorSettings& s) { return ReadLight(in, &s.pen, nullptr); }},
        {"pen2", [](std::istringstream& in, SensorSettings& s) { return ReadLight(in, &s.pen2, nullptr); }},
        {"lamp", [](std::istringstream& in, SensorSettings& s) { return ReadLight(in, &s.lamp, &s.lampRadius); }},
        {"ambient", Number(&SensorSettings::ambient, 0.0, 100.0)},
        {"noise", Number(&SensorSettings::noise, 0.0, 64.0)},
        {"fps", Number(&SensorSettings::fps, 1.0, 120.0)},
        {"capture_hz", Number(&SensorSettings::captureHz, 0.5, 60.0)},
        {"room", Number(&SensorSettings::room, 0.0, 100.0)},
        {"pen_radiance", Number(&SensorSettings::penRadiance, 0.0, 10000.0)},
        {"screen", [](std::istringstream& in, SensorSettings& s) {
             std::vector<double> v;
             if (!ReadNumbers(in, v, 2) || v.size() != 2 || v[0] < 0.0 || v[1] < 0.0) return false;
             s.screenWhite = v[0];
             s.screenBlack = v[1];
             return true;
         }},
        {"unplug", [](std::istringstream& in, SensorSettings& s) {
             std::string word;
             return (in >> word) && ReadSwitch(word, &s.unplugged);
         }},
        {"exposure", [](std::istringstream& in, SensorSettings& s) {
             std::string word;
             return (in >> word) && ReadSwitch(word, &s.exposureControl);
         }},
        {"formats", [](std::istringstream& in, SensorSettings& s) {
             std::string word;
             if (!(in >> word)) return false;
             if (word == "rgb24") s.formats = FormatSet::Rgb24;
             else if (word == "yuy2") s.formats = FormatSet::Yuy2;
             else return false;
             return true;
         }},
    };
    return readers;
}

}  // namespace

SensorSettings ParseSensorSettings(const std::string& text, std::string* problems) {
    SensorSettings settings;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream in(line);
        std::string key;
        if (!(in >> key)) continue;
        auto reader = Readers().find(key);
        SensorSettings candidate = settings;
        if (reader != Readers().end() && reader->second(in, candidate)) {
            settings = candidate;
        } else if (problems) {
            *problems += "line " + std::to_string(number) + ": " + line + "\n";
        }
    }
    return settings;
}
