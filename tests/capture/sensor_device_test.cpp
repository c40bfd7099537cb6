// Finding the sensor: its names, ids and device paths, its capture format, its removal.
#include "capture/sensor_device.h"

#include <gtest/gtest.h>

#include <string>

#include "capture/capture_format.h"
#include "capture/ks_device_path.h"
#include "capture/sensor_search.h"
#include "capture/text_match.h"
#include "base/com_apartment.h"
#include "base/com_object.h"
#include "renderer_test_support.h"

namespace {

const SensorIdentity kIdentity{L"VID_05E1&PID_0500", L"USB2.0 VGA WebCam", L"Tavro"};

// The exact name is met by every scenario's start-up.
TEST(SensorSearch, NamesClassifyTheInstallationFoldingOnlyAsciiLettersWithinTheFirst259Characters) {
    EXPECT_EQ(ClassifyFriendlyName(L"usb2.0 vga webcam", kIdentity), SensorMatch::Matched);
    EXPECT_EQ(ClassifyFriendlyName(L"TAVRO", kIdentity), SensorMatch::DefaultName);
    EXPECT_EQ(ClassifyFriendlyName(L"Generic Camera", kIdentity), SensorMatch::OtherName);
    EXPECT_EQ(ClassifyFriendlyName(L"", kIdentity), SensorMatch::OtherName);
    const wchar_t* moniker = L"@device:sw:{860BB310-5D01-11D0-BD3B-00A0C911CE86}\\usb#vid_05e1&pid_0500&mi_00#virtual";
    // The sensor's own moniker is matched in every scenario's start-up.
    EXPECT_TRUE(ContainsText(L"USB\\VID_05E1&PID_0500\\5", L"vid_05e1&pid_0500"));
    EXPECT_FALSE(ContainsText(moniker, L"VID_05E1&PID_0501"));
    // Only A-Z fold: a non-ASCII capital does not match its small letter.
    EXPECT_FALSE(ContainsText(L"\u00C4", L"\u00E4"));
    EXPECT_TRUE(ContainsText(L"anything", L""));
    EXPECT_FALSE(ContainsText(nullptr, L"x"));
    // Only the first 259 characters are looked at.
    const std::wstring padding(255, L'x');
    EXPECT_TRUE(ContainsText((padding + L"abcd").c_str(), L"abcd"));
    EXPECT_FALSE(ContainsText((padding + L"abcde").c_str(), L"abcde"));
    EXPECT_TRUE(EqualsIgnoringCase(L"USB2.0 VGA WebCam", L"usb2.0 vga webcam"));
    EXPECT_FALSE(EqualsIgnoringCase(L"USB2.0 VGA WebCam", L"USB2.0 VGA WebCam "));
    EXPECT_FALSE(EqualsIgnoringCase(L"Tavro", L"Tavr"));
    EXPECT_FALSE(EqualsIgnoringCase(nullptr, L""));
}

TEST(KsDevicePath, OnlyTheFirstCompositeFunctionAndNoHandleWithoutAWorkingDeviceList) {
    EXPECT_TRUE(IsPropertyDeviceInstance(L"USB\\VID_05E1&PID_0500&MI_00\\VSENSOR0", L"VID_05E1&PID_0500"));
    EXPECT_FALSE(IsPropertyDeviceInstance(L"USB\\VID_05E1&PID_0500&MI_01\\VSENSOR0", L"VID_05E1&PID_0500"));
    EXPECT_FALSE(IsPropertyDeviceInstance(L"usb\\vid_05e1&pid_0500&mi_01\\x", L"VID_05E1&PID_0500"));
    EXPECT_FALSE(IsPropertyDeviceInstance(L"USB\\VID_046D&PID_0825\\1", L"VID_05E1&PID_0500"));
    // A list whose every item fails with another error than "no more items" (here a list that is
    // no list) is given up rather than walked forever.
    EXPECT_FALSE(OpenSensorCaptureInterface(L"VID_FFFF&PID_FFFE"));
    EXPECT_FALSE(OpenSensorCaptureInterface(INVALID_HANDLE_VALUE, L"VID_05E1&PID_0500"));
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    EXPECT_FALSE(OpenDeviceCaptureInterface(INVALID_HANDLE_VALUE, device));
}

TEST(CaptureFormat, CapabilityMustMatchSubtypeSizeAndFormatBlock) {
    VideoType rgb(MEDIASUBTYPE_RGB24, 320, 240);
    VIDEO_STREAM_CONFIG_CAPS caps{};
    caps.InputSize = {320, 240};
    EXPECT_TRUE(CapabilityQualifies(*rgb.Get(), caps, MEDIASUBTYPE_RGB24, 320, 240));
    EXPECT_FALSE(CapabilityQualifies(*rgb.Get(), caps, MEDIASUBTYPE_YUY2, 320, 240));
    EXPECT_FALSE(CapabilityQualifies(*rgb.Get(), caps, MEDIASUBTYPE_RGB24, 640, 480));
    rgb->formattype = FORMAT_VideoInfo2;
    EXPECT_FALSE(CapabilityQualifies(*rgb.Get(), caps, MEDIASUBTYPE_RGB24, 320, 240));
    rgb->formattype = FORMAT_VideoInfo;
    rgb->pbFormat = nullptr;
    EXPECT_FALSE(CapabilityQualifies(*rgb.Get(), caps, MEDIASUBTYPE_RGB24, 320, 240));
}

TEST(SensorRemoval, OnlyTheCaptureFiltersOwnRemovalCounts) {
    // Two COM objects stand in for the capture filter and another filter of the graph.
    Microsoft::WRL::ComPtr<IStream> sensor;
    Microsoft::WRL::ComPtr<IStream> other;
    ASSERT_TRUE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &sensor)));
    ASSERT_TRUE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &other)));
    const LONG_PTR sensorParam = reinterpret_cast<LONG_PTR>(sensor.Get());
    const LONG_PTR otherParam = reinterpret_cast<LONG_PTR>(other.Get());
    EXPECT_TRUE(IsSensorRemoval(EC_DEVICE_LOST, sensorParam, 0, sensor.Get()));
    // Another filter's device lost, the sensor arriving again, another event.
    EXPECT_FALSE(IsSensorRemoval(EC_DEVICE_LOST, otherParam, 0, sensor.Get()));
    EXPECT_FALSE(IsSensorRemoval(EC_DEVICE_LOST, sensorParam, 1, sensor.Get()));
    EXPECT_FALSE(IsSensorRemoval(EC_COMPLETE, sensorParam, 0, sensor.Get()));
}

// The test prefix holds the virtual sensor only; a sensor of another VID/PID is not there. (A
// start that fails, and the close after it, are program_yuy2_sensor_cannot_preview's.)
TEST(SensorDevice, ASensorThatIsNotThereIsNotFoundAndNotLost) {
    const ComApartment com;
    ASSERT_TRUE(com.Started());
    SensorDevice sensor;
    const SensorIdentity other{L"VID_7A11&PID_13D5", L"USB2.0 VGA WebCam", L"Tavro"};
    EXPECT_EQ(sensor.Open(other), SensorMatch::NotFound);
    EXPECT_FALSE(sensor.CheckDeviceLost());
    sensor.Close();
}

}  // namespace
