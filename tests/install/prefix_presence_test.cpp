// The presence check over device nodes made in the prefix.
#include <gtest/gtest.h>

#include <initguid.h>
#include <devguid.h>

#include "install/driver_operations.h"
#include "prefix_state.h"

namespace installtest {
namespace {

TEST(PrefixPresence, ReceiverAloneIsTwoAndWithTheSensorFour) {
    PrefixState prefix;
    prefix.AddDevice(kReceiverInstanceId, GUID_DEVCLASS_HIDCLASS, L"HID\\VID_6624&PID_5488");
    prefix.AddDevice(kOtherInstanceId, GUID_DEVCLASS_IMAGE, L"USB\\VID_7A11&PID_13D6");
    EXPECT_EQ(PresenceReceiverOnly, CheckPresence(DriverContext(kTestVidPid)));
    prefix.AddDevice(kSensorInstanceId, GUID_DEVCLASS_IMAGE, L"USB\\VID_7A11&PID_13D5&REV_0100");
    EXPECT_EQ(PresenceSensorAndReceiver, CheckPresence(DriverContext(kTestVidPid)));
    // Device ids are upper case, so a lower-case VID/PID never finds the sensor.
    EXPECT_EQ(PresenceReceiverOnly, CheckPresence(DriverContext(L"vid_7a11&pid_13d5")));
}

}  // namespace
}  // namespace installtest
