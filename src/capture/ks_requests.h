#pragma once
// The kernel-streaming property requests sent to the sensor's capture interface: the camera-control
// set (exposure and its automatics) and the vendor set of the sensor's own driver. The byte layouts
// are what the driver reads, so they are fixed.
#include <windows.h>

#include <cstddef>
#include <cstdint>

enum KsRequestType : uint32_t { kKsGet = 1, kKsSet = 2 };
enum KsCameraControlFlags : uint32_t { kKsFlagsManual = 0, kKsFlagsAuto = 1 };
enum VendorPropertyId : uint32_t { kVendorModeWord = 0, kVendorPowerLineFrequency = 1 };
inline constexpr uint32_t kKsCameraControlExposure = 4;
inline constexpr uint32_t kVendorWriteFlags = 2;

// What a get returns and a set sends, besides the property id.
struct KsPropertyValue {
    int32_t value = 0;
    uint32_t flags = 0;
    uint32_t capabilities = 0;
};

struct CameraControlRequest {
    GUID set;
    uint32_t id;
    uint32_t requestType;
    int32_t value;
    uint32_t flags;
    uint32_t capabilities;
    uint32_t unused;
};
static_assert(sizeof(CameraControlRequest) == 40, "camera-control request is 40 bytes");
static_assert(offsetof(CameraControlRequest, id) == 16 && offsetof(CameraControlRequest, requestType) == 20 &&
                  offsetof(CameraControlRequest, value) == 24 && offsetof(CameraControlRequest, flags) == 28 &&
                  offsetof(CameraControlRequest, capabilities) == 32,
              "camera-control request layout");

struct VendorRequest {
    GUID set;
    uint32_t id;
    uint32_t requestType;
    uint32_t unused1;
    uint32_t flags;
    uint32_t capabilities;
    uint8_t unused2[16];
    int32_t value;
};
static_assert(sizeof(VendorRequest) == 56, "vendor request is 56 bytes");
static_assert(offsetof(VendorRequest, id) == 16 && offsetof(VendorRequest, requestType) == 20 &&
                  offsetof(VendorRequest, flags) == 28 && offsetof(VendorRequest, capabilities) == 32 &&
                  offsetof(VendorRequest, value) == 52,
              "vendor request layout");

// {C6E13370-30AC-11D0-A18C-00A0C9118956}
inline constexpr GUID kCameraControlPropertySet = {0xC6E13370, 0x30AC, 0x11D0, {0xA1, 0x8C, 0x00, 0xA0, 0xC9, 0x11, 0x89, 0x56}};
// {A7974C56-A77E-4B90-8CBF-1C71EC301000}
inline constexpr GUID kVendorPropertySet = {0xA7974C56, 0xA77E, 0x4B90, {0x8C, 0xBF, 0x1C, 0x71, 0xEC, 0x30, 0x10, 0x00}};

CameraControlRequest MakeCameraControlGet(uint32_t id);
CameraControlRequest MakeCameraControlSet(uint32_t id, const KsPropertyValue& value);
VendorRequest MakeVendorGet(uint32_t id);
VendorRequest MakeVendorSet(uint32_t id, const KsPropertyValue& value);
KsPropertyValue ValueOf(const CameraControlRequest& answered);
KsPropertyValue ValueOf(const VendorRequest& answered);

// The vendor set's code for a mains frequency: 1 for 50 Hz, 2 for 60 Hz, other numbers as given.
int32_t PowerLineFrequencyCode(int32_t hertz);
