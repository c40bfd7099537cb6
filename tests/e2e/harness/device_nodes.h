#pragma once
// What SetupAPI shows of the devices: present instance ids and the capture interfaces.
#include <string>
#include <vector>

// Instance ids of all present devices of all classes, upper-cased.
std::vector<std::wstring> PresentInstanceIds();

struct CaptureInterface {
    std::wstring instanceId;
    std::wstring path;
};

// Present KSCATEGORY_CAPTURE interfaces with their device's instance id.
std::vector<CaptureInterface> CaptureInterfaces();
