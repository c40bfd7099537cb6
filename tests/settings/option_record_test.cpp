#include "settings/option_record.h"

#include "settings_test_fixture.h"

#include <windows.h>

using testsupport::ReadBytes;

namespace {

OptionRecord OptionsWithGainLevels(int32_t gain, int32_t trackGain) {
    OptionRecord options = DefaultOptions();
    options.gainLevel = gain;
    options.trackGainLevel = trackGain;
    return options;
}

}  // namespace

TEST(OptionRecordTest, BuiltInValues) {
    OptionRecord options = DefaultOptions();
    EXPECT_EQ(options.dontAskGainLevel, 0);
    EXPECT_EQ(options.minimizeToTray, 1);
    EXPECT_EQ(options.skipAlignmentWhenAligned, 0);
    EXPECT_EQ(options.gainLevel, 1);
    EXPECT_EQ(options.trackGainLevel, 1);
    EXPECT_EQ(options.dontShowIntroduction, 0);
    EXPECT_EQ(options.manualAlignmentByDefault, 0);
}

class OptionFileTest : public SettingsFileTest {};

TEST_F(OptionFileTest, WritesSevenLittleEndianIntegersInFieldOrder) {
    OptionRecord options{1, 0, 1, 3, 3, 1, 1};
    ASSERT_EQ(WriteOptions(options), FileResult::Ok);
    std::string bytes = ReadBytes(kOptionFileName);
    ASSERT_EQ(bytes.size(), 28u);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 8), 1);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 12), 3);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 16), 3);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 24), 1);
    EXPECT_EQ(bytes.substr(12, 4), std::string("\x03\x00\x00\x00", 4));
}

TEST_F(OptionFileTest, RoundTripKeepsEveryField) {
    OptionRecord written{1, 0, 1, 4, 4, 1, 1};
    ASSERT_EQ(WriteOptions(written), FileResult::Ok);
    OptionRecord read = DefaultOptions();
    ASSERT_EQ(ReadOptions(read), FileResult::Ok);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
}

TEST_F(OptionFileTest, MissingFileCannotBeOpened) {
    OptionRecord read = DefaultOptions();
    EXPECT_EQ(ReadOptions(read), FileResult::CannotOpen);
}

TEST_F(OptionFileTest, ShortByOneByteIsInvalidAndLeavesRecordAlone) {
    WriteRecordBytes(kOptionFileName, OptionsWithGainLevels(2, 2), sizeof(OptionRecord) - 1);
    OptionRecord read = DefaultOptions();
    EXPECT_EQ(ReadOptions(read), FileResult::Invalid);
    EXPECT_EQ(read.gainLevel, 1);
}

TEST_F(OptionFileTest, GainLevelsMustBeEqualAndWithinOneToFour) {
    struct Case { int32_t gain, trackGain; FileResult expected; };
    for (Case c : {Case{2, 3, FileResult::Invalid}, Case{5, 5, FileResult::Invalid},
                   Case{0, 0, FileResult::Invalid}, Case{-1, -1, FileResult::Invalid},
                   Case{1, 1, FileResult::Ok}, Case{4, 4, FileResult::Ok}}) {
        WriteRecordBytes(kOptionFileName, OptionsWithGainLevels(c.gain, c.trackGain));
        OptionRecord read = DefaultOptions();
        EXPECT_EQ(ReadOptions(read), c.expected) << c.gain << "/" << c.trackGain;
    }
}

TEST_F(OptionFileTest, WriteReportsAFileThatCannotBeCreated) {
    ASSERT_TRUE(CreateDirectoryW(kOptionFileName, nullptr));
    EXPECT_EQ(WriteOptions(DefaultOptions()), FileResult::CannotOpen);
}
