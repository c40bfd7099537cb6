#include "capture/sensor_properties.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "fake_sensor_controls.h"

namespace {

class SensorPropertiesTest : public ::testing::Test {
protected:
    SensorPropertiesTest() : properties_(ks_) {
        filter_ = TakeReference(new FakeCaptureFilter());
        filter_->videoProcAmp->ranges = {{0, {-64, 64, 1, 0}}, {1, {0, 95, 1, 32}}, {5, {100, 300, 1, 100}},
                                         {6, {0, 1, 1, 1}},    {9, {0, 100, 1, 0}}};
        filter_->videoProcAmp->values = {{0, 5}, {1, 32}};
        filter_->cameraControl->ranges = {{4, {-11, -1, 1, -6}}, {6, {0, 40, 1, 20}}};
        Start();
    }

    // Attaches to the filter as it now is.
    void Start() {
        properties_.Attach(filter_.Get());
        properties_.ReadRanges();
    }

    KsControl ks_;  // never opened: every kernel-streaming request fails
    Microsoft::WRL::ComPtr<FakeCaptureFilter> filter_;
    SensorProperties properties_;
};

TEST_F(SensorPropertiesTest, ReadRangesFillsEveryRecordAndTheMinima) {
    const PropertyRecord brightness{0, -64, 64, 0, 1, 5, 1};
    EXPECT_EQ(std::memcmp(&properties_.VideoProcAmp(0), &brightness, sizeof brightness), 0);
    EXPECT_EQ(properties_.VideoProcAmp(2).valid, 0);
    EXPECT_EQ(properties_.CameraControl(4).defaultValue, -6);
    EXPECT_EQ(properties_.CameraControl(4).valid, 1);
    EXPECT_EQ(properties_.CameraControl(5).valid, 0);
    // Brightness, contrast, hue, saturation, sharpness, gamma, exposure; the rest stays zero.
    const ImagingParameters minimum = properties_.MinimumImaging(), expected{-64, 0, 0, 0, 0, 100, -11, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&minimum, &expected, sizeof minimum), 0);
}

TEST_F(SensorPropertiesTest, ResetsWriteMinimaAndDefaultsOfValidControlsOnly) {
    properties_.ResetVideoProcAmp();
    properties_.ResetCameraControl();
    EXPECT_EQ(filter_->videoProcAmp->Written(), (Writes{{0, -64}, {1, 0}, {5, 100}, {6, 0}, {9, 0}}));
    EXPECT_EQ(filter_->videoProcAmp->writes[0].flags, 2);
    EXPECT_EQ(filter_->cameraControl->Written(), (Writes{{4, -6}, {6, 20}}));
    EXPECT_EQ(filter_->cameraControl->writes[0].flags, 0);
    EXPECT_EQ(properties_.VideoProcAmp(0).value, -64);
}

TEST_F(SensorPropertiesTest, SettersClampOnceSkipUnknownControlsAndReportTheReadBack) {
    EXPECT_EQ(properties_.SetVideoProcAmp(2, 1), ControlResult::Failed);    // no range
    EXPECT_EQ(properties_.SetVideoProcAmp(10, 1), ControlResult::Failed);
    EXPECT_EQ(properties_.SetCameraControl(-1, 1), ControlResult::Failed);
    EXPECT_TRUE(filter_->videoProcAmp->writes.empty());
    // Out of range moves to the bound, once.
    EXPECT_EQ(properties_.SetVideoProcAmp(0, -100), ControlResult::Done);
    EXPECT_EQ(properties_.SetVideoProcAmp(0, -100), ControlResult::Failed);
    EXPECT_EQ(properties_.SetVideoProcAmp(1, 200), ControlResult::Done);
    EXPECT_EQ(filter_->videoProcAmp->Written(), (Writes{{0, -64}, {1, 95}}));
    filter_->videoProcAmp->getResult = S_FALSE;
    EXPECT_EQ(properties_.SetVideoProcAmp(1, 50), ControlResult::Failed);
    EXPECT_EQ(filter_->videoProcAmp->writes.size(), 3u);
    EXPECT_EQ(properties_.VideoProcAmp(1).value, 50);
}

TEST_F(SensorPropertiesTest, ExposureFallsBackAtItsMaximumAndGainIsExposureWhenItHasARange) {
    EXPECT_EQ(properties_.SetExposure(-1), ControlResult::Done);
    // The filter path writes nothing more and the kernel-streaming path has no device.
    EXPECT_EQ(properties_.SetExposure(5), ControlResult::Failed);
    EXPECT_EQ(filter_->cameraControl->writes.size(), 1u);
    EXPECT_EQ(properties_.CameraControl(4).value, -1);
    // The gain is the exposure when it has a range, otherwise the brightness.
    for (const bool exposureRange : {true, false}) {
        if (!exposureRange) filter_->cameraControl->ranges.erase(4);
        Start();
        EXPECT_EQ(properties_.IsExposureGain(), exposureRange);
        EXPECT_EQ(properties_.GainMinimum(), exposureRange ? -11 : -64);
        EXPECT_EQ(properties_.SetGain(-9), ControlResult::Done);
        EXPECT_EQ(properties_.GainValue(), -9);
        const auto& writes = exposureRange ? filter_->cameraControl->writes : filter_->videoProcAmp->writes;
        EXPECT_EQ(writes.back().id, exposureRange ? 4 : 0);
    }
}

TEST_F(SensorPropertiesTest, ApplyImagingAndSensorInitWriteInTheirOrderWhatHasARange) {
    EXPECT_EQ(properties_.ApplyImaging({1, 2, 3, 4, 5, 150, -4, 0, 0, 2}), ControlResult::Done);
    // Brightness, gamma, contrast, exposure; then colour enable and gain.
    EXPECT_EQ(filter_->cameraControl->Written(), (Writes{{4, -4}}));
    EXPECT_EQ(properties_.ApplySensorInit({60, 1, 0, 0, 30}), ControlResult::Done);
    EXPECT_EQ(filter_->videoProcAmp->Written(), (Writes{{0, 1}, {5, 150}, {1, 2}, {6, 1}, {9, 30}}));
}

TEST_F(SensorPropertiesTest, WithoutControlInterfacesEverythingIsInvalid) {
    filter_->videoProcAmp.Reset();
    filter_->cameraControl.Reset();
    Start();
    const ImagingParameters minimum = properties_.MinimumImaging(), zero{};
    EXPECT_EQ(std::memcmp(&minimum, &zero, sizeof minimum), 0);
    EXPECT_FALSE(properties_.IsExposureGain());
    const ControlResult results[] = {properties_.SetGain(1), properties_.SetExposure(1),
                                     properties_.SetExposureAuto(false),
                                     properties_.SetVendorMode(1), properties_.SetPowerLineFrequency(50)};
    for (size_t i = 0; i < std::size(results); ++i) EXPECT_EQ(results[i], ControlResult::Failed) << i;
}

}  // namespace
