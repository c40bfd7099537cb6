#include "settings/chessboard_layout_record.h"
#include "settings/display_ratio_record.h"

#include "settings_test_fixture.h"

class DisplayAspectFileTest : public SettingsFileTest {};

// Negative and non-finite sides are the reader mutation test's business.
TEST_F(DisplayAspectFileTest, RoundTripLayoutAndZeroSides) {
    const DisplayAspectRecord written{16.0f, 9.0f, 0};
    ASSERT_EQ(WriteDisplayAspect(written), FileResult::Ok);
    std::string bytes = ReadBytes(kDisplayAspectFileName);
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(ValueAt<float>(bytes, 0), 16.0f);
    EXPECT_EQ(ValueAt<float>(bytes, 4), 9.0f);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 8), 0);
    DisplayAspectRecord read = DefaultDisplayAspect();
    ASSERT_EQ(ReadDisplayAspect(read), FileResult::Ok);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
    // Zero sides mean the desktop's own aspect.
    WriteRecordBytes(kDisplayAspectFileName, DisplayAspectRecord{0.0f, 0.0f, 0});
    EXPECT_EQ(ReadDisplayAspect(read), FileResult::Ok);
    EXPECT_EQ(read.width, 0.0f);
}

class ChessboardLayoutFileTest : public SettingsFileTest {};

TEST_F(ChessboardLayoutFileTest, RoundTripLayout) {
    const ChessboardLayoutRecord written{-5, 3, 90, 120, 7};
    ASSERT_EQ(WriteChessboardLayout(written), FileResult::Ok);
    std::string bytes = ReadBytes(kChessboardLayoutFileName);
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 0), -5);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 12), 120);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 16), 7);
    ChessboardLayoutRecord read = DefaultChessboardLayout();
    ASSERT_EQ(ReadChessboardLayout(read), FileResult::Ok);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
}
