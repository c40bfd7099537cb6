#include "settings/display_ratio_record.h"

#include "settings/record_file.h"

#include <cmath>

namespace {

bool IsAspectSide(float value) { return std::isfinite(value) && value >= 0.0f; }

}  // namespace

DisplayAspectRecord DefaultDisplayAspect() { return {4.0f, 3.0f, 1}; }

FileResult DecodeDisplayAspect(const void* bytes, size_t size, DisplayAspectRecord& aspect) {
    return DecodeCheckedRecord(bytes, size, aspect, [](const DisplayAspectRecord& read) {
        return IsAspectSide(read.width) && IsAspectSide(read.height) ? FileResult::Ok : FileResult::Invalid;
    });
}

FileResult ReadDisplayAspect(DisplayAspectRecord& aspect) {
    return ReadDecodedRecord(kDisplayAspectFileName, aspect, DecodeDisplayAspect);
}

FileResult WriteDisplayAspect(const DisplayAspectRecord& aspect) {
    return WriteRecordFile(kDisplayAspectFileName, &aspect, sizeof aspect, false);
}
