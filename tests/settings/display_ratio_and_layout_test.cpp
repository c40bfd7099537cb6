#include "settings/chessboard_layout_record.h"
#include "settings/display_ratio_record.h"

#include "settings_test_fixture.h"

class DisplayAspectFileTest : public SettingsFileTest {};

// Negative and non-finite sides are the reader mutation test's business.
TEST_F(DisplayAspectFileTest, RoundTripLayoutAndZeroSides) {
    const std::string bytes = RoundTrip(DisplayAspectRecord{16.0f, 9.0f, 0}, WriteDisplayAspect, ReadDisplayAspect,
                                        kDisplayAspectFileName, 12);
    EXPECT_EQ(ValueAt<float>(bytes, 0), 16.0f);
    EXPECT_EQ(ValueAt<float>(bytes, 4), 9.0f);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 8), 0);
    // Zero sides mean the desktop's own aspect.
    WriteRecordBytes(kDisplayAspectFileName, DisplayAspectRecord{0.0f, 0.0f, 0});
    DisplayAspectRecord read = DefaultDisplayAspect();
    EXPECT_EQ(ReadDisplayAspect(read), FileResult::Ok);
    EXPECT_EQ(read.width, 0.0f);
}

class ChessboardLayoutFileTest : public SettingsFileTest {};

TEST_F(ChessboardLayoutFileTest, RoundTripLayout) {
    const std::string bytes = RoundTrip(ChessboardLayoutRecord{-5, 3, 90, 120, 7}, WriteChessboardLayout,
                                        ReadChessboardLayout, kChessboardLayoutFileName, 20);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 0), -5);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 12), 120);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 16), 7);
}
