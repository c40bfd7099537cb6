#include "settings/settings_loading.h"

#include "settings_test_fixture.h"

#include <windows.h>

// The files the program cannot run without end it with the file message naming them: the
// parameter file's end-to-end scenario meets that, short and missing.
class SettingsLoadingTest : public SettingsFileTest {};

TEST_F(SettingsLoadingTest, OptionFileIsKeptWhenValidAndOtherwiseRewrittenWithBuiltIns) {
    const OptionRecord defaults = DefaultOptions();
    const std::string defaultBytes(reinterpret_cast<const char*>(&defaults), sizeof defaults);
    OptionRecord options = defaults;
    options.gainLevel = 4;
    EXPECT_EQ(LoadOptionFile(options), FileResult::CannotOpen);
    EXPECT_EQ(options.gainLevel, 1);
    EXPECT_EQ(ReadBytes(kOptionFileName), defaultBytes);

    OptionRecord unequal = defaults;
    unequal.gainLevel = 2;
    unequal.trackGainLevel = 3;
    unequal.minimizeToTray = 0;
    WriteRecordBytes(kOptionFileName, unequal);
    options = unequal;
    EXPECT_EQ(LoadOptionFile(options), FileResult::Invalid);
    EXPECT_EQ(std::memcmp(&options, &defaults, sizeof options), 0);
    EXPECT_EQ(ReadBytes(kOptionFileName), defaultBytes);

    ASSERT_EQ(WriteOptions({1, 0, 1, 3, 3, 1, 0}), FileResult::Ok);
    EXPECT_EQ(LoadOptionFile(options), FileResult::Ok);
    EXPECT_EQ(options.gainLevel, 3);
    EXPECT_EQ(options.skipAlignmentWhenAligned, 1);
}

TEST_F(SettingsLoadingTest, MissingOrDamagedAlignmentAndAspectFilesGiveBuiltInsTheScreenMakesAMissingAspectFile) {
    AlignmentRecord alignment = DefaultAlignmentResult();
    EXPECT_EQ(LoadAlignmentResultFile(alignment), FileResult::CannotOpen);
    EXPECT_EQ(GetFileAttributesW(kAlignmentResultFileName), INVALID_FILE_ATTRIBUTES);

    AlignmentRecord stored = DefaultAlignmentResult();
    stored.accuracy.grade = AccuracyGrade::Good;   // usable, yet no desktop size
    stored.profileIndex = 2;
    WriteRecordBytes(kAlignmentResultFileName, stored);
    alignment = stored;
    EXPECT_EQ(LoadAlignmentResultFile(alignment), FileResult::Invalid);
    const AlignmentRecord builtIn = DefaultAlignmentResult();
    EXPECT_EQ(std::memcmp(&alignment, &builtIn, sizeof alignment), 0);
    EXPECT_EQ(ReadBytes(kAlignmentResultFileName), std::string(reinterpret_cast<const char*>(&stored), sizeof stored));

    // A missing display aspect file is made from the screen, but a short one is left alone.
    DisplayAspectRecord aspect = DefaultDisplayAspect();
    aspect.autoDetect = 0;
    EXPECT_EQ(LoadDisplayAspectFile(aspect, 1024, 768), FileResult::CannotOpen);
    const DisplayAspectRecord fromScreen{1024.0f, 768.0f, 1};
    EXPECT_EQ(std::memcmp(&aspect, &fromScreen, sizeof aspect), 0);
    EXPECT_EQ(ReadBytes(kDisplayAspectFileName), std::string(reinterpret_cast<const char*>(&fromScreen), sizeof fromScreen));

    WriteRecordBytes(kDisplayAspectFileName, DisplayAspectRecord{16.0f, 9.0f, 0}, 4);
    aspect = DefaultDisplayAspect();
    EXPECT_EQ(LoadDisplayAspectFile(aspect, 1024, 768), FileResult::Invalid);
    const DisplayAspectRecord builtInAspect = DefaultDisplayAspect();
    EXPECT_EQ(std::memcmp(&aspect, &builtInAspect, sizeof aspect), 0);
    EXPECT_EQ(ReadBytes(kDisplayAspectFileName).size(), 4u);
}
