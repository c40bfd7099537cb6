#include "settings/core_parameter_record.h"

#include "settings/fixed_text.h"
#include "settings/record_file.h"
#include "settings/text_scrambling.h"

namespace {

constexpr int32_t kPresetRange[kPresetRows] = {500, 40, 30, 20, 10, 0};

ImagingParameters AlignmentPreset(int k) {
    return {80 + k, 110 + k, 150 + k, 140 + k, 30 + k, 60 + k, -2, 100 + k, kPresetRange[k], 2};
}

ImagingParameters FindThresholdPreset(int k) {
    int brightness = k == 5 ? 24 : 20 + k;
    return {brightness, 120 + k, 130 + k, 140 + k, 30 + k, 50 + k, -5, 100 + k, kPresetRange[k], 2};
}

// The five texts in file order; each is checked and (un)scrambled the same way.
template <typename Record, typename Visit>
bool ForEachText(Record& record, Visit visit) {
    return visit(record.companyName) && visit(record.productName) && visit(record.sensorVidPid) &&
           visit(record.sensorUserName) && visit(record.sensorDefName);
}

// Channel indexes the bytes of a pixel, so anything but 0-2 would read outside the frame.
bool SelectsPlane(const ImagingParameters& preset) { return preset.channel >= 0 && preset.channel <= 2; }

bool ChannelsSelectPlanes(const CoreParameterRecord& record) {
    for (int row = 0; row < kPresetRows; ++row) {
        if (!SelectsPlane(record.alignment[row]) || !SelectsPlane(record.findThreshold[row])) return false;
    }
    return true;
}

FileResult CheckAndUnscramble(CoreParameterRecord& record) {
    if (!ChannelsSelectPlanes(record)) return FileResult::Invalid;
    bool usable = ForEachText(record, [](auto& slot) { return UnscrambleText(slot) && slot[0] != 0; });
    return usable ? FileResult::Ok : FileResult::InvalidText;
}

}  // namespace

CoreParameterRecord DefaultCoreParameters() {
    CoreParameterRecord record{};
    record.sensorInit = {60, 1, 0, 0, 0};
    for (int k = 0; k < kPresetRows; ++k) {
        record.alignment[k] = AlignmentPreset(k);
        record.findThreshold[k] = FindThresholdPreset(k);
    }
    record.tracking = {3, 20, 1, 50, 100, 4, 100, 128, 10};
    record.tuneAlignBrightness[0] = 100;
    record.tuneAlignBrightness[1] = 0;
    record.tuneAlignBrightness[2] = 20;
    CopyFixedText(record.sensorVidPid, L"VID_05E1&PID_0500");
    CopyFixedText(record.sensorUserName, L"USB2.0 VGA WebCam");
    CopyFixedText(record.sensorDefName, L"Tavro");
    return record;
}

FileResult DecodeCoreParameters(const void* bytes, size_t size, CoreParameterRecord& parameters) {
    return DecodeCheckedRecord(bytes, size, parameters, CheckAndUnscramble);
}

FileResult ReadCoreParameters(CoreParameterRecord& parameters) {
    return ReadDecodedRecord(kCoreParameterFileName, parameters, DecodeCoreParameters);
}

FileResult WriteCoreParameters(const CoreParameterRecord& parameters) {
    CoreParameterRecord stored = parameters;
    if (!ForEachText(stored, [](auto& slot) { return ScrambleText(slot); })) return FileResult::InvalidText;
    return WriteRecordFile(kCoreParameterFileName, &stored, sizeof stored, false);
}
