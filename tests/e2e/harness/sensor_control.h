#pragma once
// Changes the virtual sensor's control file while a scenario runs (pen, lamp, unplug, ...).
// The file's starting lines are kept; a key that is set again replaces its earlier line.
#include <string>
#include <vector>

class SensorControl {
public:
    SensorControl();

    // Replaces the line of `key` with "key value" and writes the file.
    void Set(const std::string& key, const std::string& value);
    void Pen(double x, double y, bool on);
    void Lift() { Set("pen", "off"); }
    // The file's text, as the sensor reads it now.
    std::string Text() const;

private:
    void Write() const;

    std::wstring path_;
    std::vector<std::string> lines_;
};

// The virtual sensor DLL's count of live COM objects in this process (0 when it is not loaded).
long SensorLiveObjects();
