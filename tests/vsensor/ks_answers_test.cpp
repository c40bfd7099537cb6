// The virtual camera's answers to the program's kernel-streaming property requests, built with
// the program's own request layouts.
#include <gtest/gtest.h>

#include <string>

#include "capture/ks_requests.h"
#include "ks/ks_answers.h"

namespace {

class KsAnswers : public ::testing::Test {
protected:
    // Sends the request in its own buffer, as the program does; the record line is kept.
    template <typename Request>
    KsReply Send(Request& request) {
        auto* bytes = reinterpret_cast<uint8_t*>(&request);
        return AnswerKsProperty(camera, bytes, sizeof request, bytes, sizeof request, line, sizeof line);
    }

    KsSensorState camera;
    char line[160] = {};
};

TEST_F(KsAnswers, ExposureStartsAutomaticAndASetTurnsItManual) {
    CameraControlRequest get = MakeCameraControlGet(kKsCameraControlExposure);
    KsReply reply = Send(get);
    EXPECT_EQ(reply.answer, KsAnswer::kAnswered);
    EXPECT_EQ(reply.bytes, sizeof get);
    EXPECT_EQ(ValueOf(get).value, -5);
    EXPECT_EQ(ValueOf(get).flags, kKsFlagsAuto);
    EXPECT_EQ(ValueOf(get).capabilities, 3u);
    EXPECT_STREQ(line, "camera exposure get value=-5 flags=auto");

    CameraControlRequest set = MakeCameraControlSet(kKsCameraControlExposure, {-7, kKsFlagsManual, 3});
    reply = Send(set);
    EXPECT_EQ(reply.answer, KsAnswer::kAnswered);
    EXPECT_EQ(reply.bytes, 0u);
    EXPECT_STREQ(line, "camera exposure set value=-7 flags=manual");
    get = MakeCameraControlGet(kKsCameraControlExposure);
    Send(get);
    EXPECT_EQ(ValueOf(get).value, -7);
    EXPECT_EQ(ValueOf(get).flags, kKsFlagsManual);
}

TEST_F(KsAnswers, VendorModeAndMainsFrequencyAreKeptAsSet) {
    VendorRequest get = MakeVendorGet(kVendorPowerLineFrequency);
    EXPECT_EQ(Send(get).bytes, sizeof get);
    EXPECT_EQ(ValueOf(get).value, 2);
    EXPECT_EQ(ValueOf(get).capabilities, kVendorWriteFlags);
    EXPECT_STREQ(line, "vendor power_line get value=2");
    VendorRequest set = MakeVendorSet(kVendorPowerLineFrequency, {PowerLineFrequencyCode(50), kVendorWriteFlags, 2});
    EXPECT_EQ(Send(set).answer, KsAnswer::kAnswered);
    EXPECT_STREQ(line, "vendor power_line set value=1 flags=2");
    EXPECT_EQ(camera.powerLineFrequency, 1);

    set = MakeVendorSet(kVendorModeWord, {1, kVendorWriteFlags, 2});
    EXPECT_EQ(Send(set).answer, KsAnswer::kAnswered);
    EXPECT_STREQ(line, "vendor mode set value=1 flags=2");
    get = MakeVendorGet(kVendorModeWord);
    Send(get);
    EXPECT_EQ(ValueOf(get).value, 1);
}

TEST_F(KsAnswers, OtherPropertiesAreNotFoundAndShortBuffersTooSmall) {
    CameraControlRequest focus = MakeCameraControlGet(6);
    EXPECT_EQ(Send(focus).answer, KsAnswer::kNotFound);
    EXPECT_STREQ(line, "camera id=6 type=1 not found");
    VendorRequest third = MakeVendorSet(7, {1, 0, 0});
    EXPECT_EQ(Send(third).answer, KsAnswer::kNotFound);
    EXPECT_STREQ(line, "vendor id=7 type=2 not found");

    CameraControlRequest get = MakeCameraControlGet(kKsCameraControlExposure);
    auto* bytes = reinterpret_cast<uint8_t*>(&get);
    EXPECT_EQ(AnswerKsProperty(camera, bytes, 20, bytes, sizeof get, line, sizeof line).answer, KsAnswer::kTooSmall);
    EXPECT_STREQ(line, "request of 20 bytes: too small");
    EXPECT_EQ(AnswerKsProperty(camera, bytes, sizeof get, bytes, 24, line, sizeof line).answer, KsAnswer::kTooSmall);
    // A record line longer than its buffer is cut, never overrun.
    char tiny[8];
    AnswerKsProperty(camera, bytes, sizeof get, bytes, sizeof get, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "camera ");
}

}  // namespace
