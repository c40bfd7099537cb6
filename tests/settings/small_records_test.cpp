// The small record files: options, display aspect and chessboard layout.
#include "settings/chessboard_layout_record.h"
#include "settings/display_ratio_record.h"
#include "settings/option_record.h"

#include "settings_test_fixture.h"

#include <windows.h>

class SmallRecordFileTest : public SettingsFileTest {};

// Negative and non-finite aspect sides are the reader mutation test's business.
TEST_F(SmallRecordFileTest, AspectAndLayoutRoundTripAtTheirOffsetsAndZeroSidesAreValid) {
    const std::string aspect = RoundTrip(DisplayAspectRecord{16.0f, 9.0f, 0}, WriteDisplayAspect, ReadDisplayAspect,
                                         kDisplayAspectFileName, 12);
    // Height and flag at their offsets leave the width's as the only place for it.
    EXPECT_EQ(ValueAt<float>(aspect, 4), 9.0f);
    EXPECT_EQ(ValueAt<int32_t>(aspect, 8), 0);
    const std::string layout = RoundTrip(ChessboardLayoutRecord{-5, 3, 90, 120, 7}, WriteChessboardLayout,
                                         ReadChessboardLayout, kChessboardLayoutFileName, 20);
    for (auto [offset, value] : {std::pair<size_t, int32_t>{0, -5}, {12, 120}, {16, 7}})
        EXPECT_EQ(ValueAt<int32_t>(layout, offset), value) << offset;
    // Zero sides mean the desktop's own aspect.
    WriteRecordBytes(kDisplayAspectFileName, DisplayAspectRecord{0.0f, 0.0f, 0});
    DisplayAspectRecord read = DefaultDisplayAspect();
    EXPECT_EQ(ReadDisplayAspect(read), FileResult::Ok);
    EXPECT_EQ(read.width, 0.0f);
}

class OptionFileTest : public SettingsFileTest {};

// Unequal gains are SettingsLoading's case; short files the reader mutation test's.
TEST_F(OptionFileTest, GainsFromOneToFourAreValidAndGoodRecordsRoundTrip) {
    OptionRecord read = DefaultOptions();
    struct Case { int32_t gain, trackGain; FileResult expected; };
    for (Case c : {Case{5, 5, FileResult::Invalid}, Case{0, 0, FileResult::Invalid},
                   Case{1, 1, FileResult::Ok}, Case{4, 4, FileResult::Ok}}) {
        OptionRecord stored = DefaultOptions();
        stored.gainLevel = c.gain;
        stored.trackGainLevel = c.trackGain;
        WriteRecordBytes(kOptionFileName, stored);
        EXPECT_EQ(ReadOptions(read), c.expected) << c.gain << "/" << c.trackGain;
    }
    // Seven little-endian integers in field order, read back.
    const std::string bytes = RoundTrip(OptionRecord{1, 0, 1, 3, 3, 1, 1}, WriteOptions, ReadOptions, kOptionFileName, 28);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 8), 1);
    EXPECT_EQ(bytes.substr(12, 8), std::string("\x03\x00\x00\x00\x03\x00\x00\x00", 8));
    EXPECT_EQ(ValueAt<int32_t>(bytes, 24), 1);
}

TEST_F(OptionFileTest, WriteReportsAFileThatCannotBeCreated) {
    ASSERT_TRUE(CreateDirectoryW(kOptionFileName, nullptr));
    EXPECT_EQ(WriteOptions(DefaultOptions()), FileResult::CannotOpen);
}
