#include "capture/ks_requests.h"

namespace {

template <typename Request>
Request MakeRequest(const GUID& set, uint32_t id, uint32_t requestType) {
    Request request{};
    request.set = set;
    request.id = id;
    request.requestType = requestType;
    return request;
}

template <typename Request>
void FillSet(Request& request, const KsPropertyValue& value) {
    request.value = value.value;
    request.flags = value.flags;
    request.capabilities = value.capabilities;
}

template <typename Request>
KsPropertyValue Answer(const Request& answered) {
    return {answered.value, answered.flags, answered.capabilities};
}

}  // namespace

CameraControlRequest MakeCameraControlGet(uint32_t id) {
    return MakeRequest<CameraControlRequest>(kCameraControlPropertySet, id, kKsGet);
}

CameraControlRequest MakeCameraControlSet(uint32_t id, const KsPropertyValue& value) {
    auto request = MakeRequest<CameraControlRequest>(kCameraControlPropertySet, id, kKsSet);
    FillSet(request, value);
    return request;
}

VendorRequest MakeVendorGet(uint32_t id) { return MakeRequest<VendorRequest>(kVendorPropertySet, id, kKsGet); }

VendorRequest MakeVendorSet(uint32_t id, const KsPropertyValue& value) {
    auto request = MakeRequest<VendorRequest>(kVendorPropertySet, id, kKsSet);
    FillSet(request, value);
    return request;
}

KsPropertyValue ValueOf(const CameraControlRequest& answered) { return Answer(answered); }
KsPropertyValue ValueOf(const VendorRequest& answered) { return Answer(answered); }

int32_t PowerLineFrequencyCode(int32_t hertz) {
    if (hertz == 50) return 1;
    if (hertz == 60) return 2;
    return hertz;
}
