#pragma once
// Removes the sensor's device node so that Windows installs it afresh when it is re-plugged.

// Removes the first attached device whose hardware id, lower-cased, contains "usb\" followed by
// the lower-cased VID/PID text. Only that one device is removed; an empty text removes nothing.
// True when a device was removed.
bool RemoveSensorDeviceNode(const wchar_t* vidPid);
