#include "ks/ks_device.h"

#include "ks/ks_answers.h"

namespace {

// Constant-initialised: the driver has no C++ start-up code.
KsSensorState g_camera;

}  // namespace

extern "C" int VSensorKsAnswer(const uint8_t* request, uint32_t requestSize, uint8_t* out, uint32_t outSize,
                               char* line, size_t lineSize, uint32_t* bytes) {
    const KsReply reply = AnswerKsProperty(g_camera, request, requestSize, out, outSize, line, lineSize);
    *bytes = reply.bytes;
    switch (reply.answer) {
    case KsAnswer::kAnswered:
        return kVSensorKsAnswered;
    case KsAnswer::kTooSmall:
        return kVSensorKsTooSmall;
    default:
        return kVSensorKsNotFound;
    }
}
