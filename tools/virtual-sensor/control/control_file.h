#pragma once
// The control file the sensor rereads whenever it changes: C:\vsensor\control.txt in the
// prefix, or the file named by the VSENSOR_CONTROL environment variable.
#include <windows.h>

#include <string>

#include "scene/sensor_settings.h"

std::wstring ControlFilePath();

class ControlFile {
public:
    explicit ControlFile(std::wstring path);
    // Rereads the file; true when its text changed and `settings` was replaced.
    // A missing file means the default settings.
    bool Refresh(SensorSettings* settings);

private:
    std::wstring path_;
    bool loaded_ = false;
    bool present_ = false;
    std::string text_;     // the text the settings came from
    std::string reading_;
};

// The settings of the control file as it is now.
SensorSettings ReadControlFile();
