#include "capture/text_match.h"

#include <gtest/gtest.h>

#include <string>

#include "capture/ks_device_path.h"

namespace {

TEST(TextMatch, ContainsAndEqualsFoldOnlyAsciiLettersWithinTheFirst259Characters) {
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

}  // namespace
