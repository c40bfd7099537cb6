#include "settings/option_record.h"

#include "settings/record_file.h"

namespace {

bool IsSelectableGainLevel(int32_t level) { return level >= 1 && level <= 4; }

}  // namespace

OptionRecord DefaultOptions() {
    OptionRecord options{};
    options.minimizeToTray = 1;
    options.gainLevel = 1;
    options.trackGainLevel = 1;
    return options;
}

FileResult DecodeOptions(const void* bytes, size_t size, OptionRecord& options) {
    return DecodeCheckedRecord(bytes, size, options, [](const OptionRecord& read) {
        bool valid = IsSelectableGainLevel(read.gainLevel) && read.gainLevel == read.trackGainLevel;
        return valid ? FileResult::Ok : FileResult::Invalid;
    });
}

FileResult ReadOptions(OptionRecord& options) {
    return ReadDecodedRecord(kOptionFileName, options, DecodeOptions);
}

FileResult WriteOptions(const OptionRecord& options) {
    return WriteRecordFile(kOptionFileName, &options, sizeof options, false);
}
