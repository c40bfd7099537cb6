#include "settings/core_parameter_record.h"

#include "settings/fixed_text.h"
#include "settings/text_scrambling.h"
#include "settings_test_fixture.h"

#include <array>
#include <cwchar>

using testsupport::ReadBytes;

namespace {

using Row = std::array<int32_t, 10>;

Row AsRow(const ImagingParameters& p) {
    return {p.brightness, p.contrast, p.hue, p.saturation, p.sharpness,
            p.gamma, p.exposureTime, p.thresGap, p.range, p.channel};
}

CoreParameterRecord ShippableParameters() {
    CoreParameterRecord parameters = DefaultCoreParameters();
    CopyFixedText(parameters.companyName, L"Tavro");
    CopyFixedText(parameters.productName, L"Tavro Pen");
    return parameters;
}

// The record as the file holds it: every text scrambled.
CoreParameterRecord StoredForm(CoreParameterRecord record) {
    EXPECT_TRUE(ScrambleText(record.companyName));
    EXPECT_TRUE(ScrambleText(record.productName));
    EXPECT_TRUE(ScrambleText(record.sensorVidPid));
    EXPECT_TRUE(ScrambleText(record.sensorUserName));
    EXPECT_TRUE(ScrambleText(record.sensorDefName));
    return record;
}

}  // namespace

TEST(CoreParameterRecordTest, BuiltInValues) {
    CoreParameterRecord p = DefaultCoreParameters();
    EXPECT_EQ(p.sensorInit.frequency, 60);
    EXPECT_EQ(p.sensorInit.colorEnabled, 1);
    EXPECT_EQ(p.sensorInit.gain, 0);
    const TrackingParameters& t = p.tracking;
    EXPECT_EQ((std::array<int32_t, 9>{t.dilateCount, t.spotMaxBand, t.spotMinArea, t.spyVariance, t.spyInterval,
                                      t.noiseThres, t.noiseRatio, t.maxAveNoise, t.hotSpotRatioPercent}),
              (std::array<int32_t, 9>{3, 20, 1, 50, 100, 4, 100, 128, 10}));
    EXPECT_EQ((std::array<int32_t, 3>{p.tuneAlignBrightness[0], p.tuneAlignBrightness[1], p.tuneAlignBrightness[2]}),
              (std::array<int32_t, 3>{100, 0, 20}));
    EXPECT_EQ(p.misc.chbSkips, 0);
    EXPECT_EQ(p.misc.reserve3, 0);
    EXPECT_STREQ(p.companyName, L"");
    EXPECT_STREQ(p.productName, L"");
    EXPECT_STREQ(p.sensorVidPid, L"VID_05E1&PID_0500");
    EXPECT_STREQ(p.sensorUserName, L"USB2.0 VGA WebCam");
    EXPECT_STREQ(p.sensorDefName, L"Tavro");
    EXPECT_EQ(AsRow(p.alignment[0]), (Row{80, 110, 150, 140, 30, 60, -2, 100, 500, 2}));
    EXPECT_EQ(AsRow(p.alignment[3]), (Row{83, 113, 153, 143, 33, 63, -2, 103, 20, 2}));
    EXPECT_EQ(AsRow(p.alignment[5]), (Row{85, 115, 155, 145, 35, 65, -2, 105, 0, 2}));
    EXPECT_EQ(AsRow(p.findThreshold[1]), (Row{21, 121, 131, 141, 31, 51, -5, 101, 40, 2}));
    EXPECT_EQ(AsRow(p.findThreshold[4]), (Row{24, 124, 134, 144, 34, 54, -5, 104, 10, 2}));
    // The last row repeats the brightness of the one before it.
    EXPECT_EQ(AsRow(p.findThreshold[5]), (Row{24, 125, 135, 145, 35, 55, -5, 105, 0, 2}));
}

TEST(TextScramblingTest, ShiftsEveryCharacterUpToTheEndAndBack) {
    wchar_t slot[8] = L"Ab";
    ASSERT_TRUE(ScrambleText(slot));
    EXPECT_EQ(slot[0], static_cast<wchar_t>(L'A' + kTextScrambleOffset));
    EXPECT_EQ(slot[1], static_cast<wchar_t>(L'b' + kTextScrambleOffset));
    EXPECT_EQ(slot[2], 0);
    ASSERT_TRUE(UnscrambleText(slot));
    EXPECT_STREQ(slot, L"Ab");
    // A character that unscrambles to zero ends the text.
    wchar_t early[4] = {static_cast<wchar_t>(L'x' + kTextScrambleOffset), kTextScrambleOffset, L'!', L'?'};
    ASSERT_TRUE(UnscrambleText(early));
    EXPECT_STREQ(early, L"x");
}

TEST(TextScramblingTest, RefusesSlotsWithoutEndAndCharactersThatWouldScrambleToTheEnd) {
    wchar_t unterminated[3] = {L'a', L'b', L'c'};
    EXPECT_FALSE(ScrambleText(unterminated));
    EXPECT_EQ(unterminated[0], L'a');
    EXPECT_FALSE(UnscrambleText(unterminated));
    wchar_t wrapping[4] = {L'a', static_cast<wchar_t>(0x10000 - kTextScrambleOffset), 0, 0};
    EXPECT_FALSE(ScrambleText(wrapping));
    EXPECT_EQ(wrapping[0], L'a');
}

class CoreParameterFileTest : public SettingsFileTest {};

TEST_F(CoreParameterFileTest, StoresTextsScrambledAtTheirOffsetsAndRestoresThem) {
    CoreParameterRecord written = ShippableParameters();
    written.misc.chbSkips = 4;
    ASSERT_EQ(WriteCoreParameters(written), FileResult::Ok);
    std::string bytes = ReadBytes(kCoreParameterFileName);
    ASSERT_EQ(bytes.size(), 3152u);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 0), 60);
    EXPECT_EQ(ValueAt<int32_t>(bytes, 20), 80);             // alignment row 0 brightness
    EXPECT_EQ(ValueAt<int32_t>(bytes, 260 + 40 * 5), 24);   // find threshold row 5 brightness
    EXPECT_EQ(ValueAt<int32_t>(bytes, 500), 3);              // dilate count
    EXPECT_EQ(ValueAt<int32_t>(bytes, 536), 100);
    EXPECT_EQ(ValueAt<uint16_t>(bytes, 548), L'T' + kTextScrambleOffset);
    EXPECT_EQ(ValueAt<uint16_t>(bytes, 1060 + 2 * 6), L'P' + kTextScrambleOffset);
    EXPECT_EQ(ValueAt<uint16_t>(bytes, 1572), L'V' + kTextScrambleOffset);
    EXPECT_EQ(ValueAt<uint16_t>(bytes, 2612 + 2 * 5), 0);
    EXPECT_EQ(bytes.find("VID_"), std::string::npos);
    CoreParameterRecord read = DefaultCoreParameters();
    ASSERT_EQ(ReadCoreParameters(read), FileResult::Ok);
    EXPECT_STREQ(read.productName, L"Tavro Pen");
    EXPECT_STREQ(read.sensorUserName, L"USB2.0 VGA WebCam");
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
}

TEST_F(CoreParameterFileTest, ShortFilesAndChannelsOutsideTheThreePlanesAreInvalid) {
    CoreParameterRecord read = DefaultCoreParameters();
    ExpectMissingAndShortRejected(kCoreParameterFileName, StoredForm(ShippableParameters()), ReadCoreParameters, read);
    EXPECT_STREQ(read.productName, L"");
    struct Case { bool alignmentGroup; int row; int32_t channel; };
    for (Case c : {Case{false, 4, 3}, Case{false, 4, -1}, Case{true, 0, 7}}) {
        CoreParameterRecord written = ShippableParameters();
        (c.alignmentGroup ? written.alignment : written.findThreshold)[c.row].channel = c.channel;
        ASSERT_EQ(WriteCoreParameters(written), FileResult::Ok);
        EXPECT_EQ(ReadCoreParameters(read), FileResult::Invalid) << c.row << " " << c.channel;
    }
}

TEST_F(CoreParameterFileTest, EmptyOrUnterminatedTextsAreInvalidText) {
    struct Case { const char* what; void (*damage)(CoreParameterRecord&); };
    const Case cases[] = {
        {"empty product name", [](CoreParameterRecord& r) { r.productName[0] = kTextScrambleOffset; }},
        {"empty sensor name", [](CoreParameterRecord& r) { r.sensorDefName[0] = kTextScrambleOffset; }},
        {"unterminated company", [](CoreParameterRecord& r) {
             wmemset(r.companyName, static_cast<wchar_t>(L'C' + kTextScrambleOffset), kNameLength);
         }},
    };
    for (const Case& c : cases) {
        CoreParameterRecord stored = StoredForm(ShippableParameters());
        c.damage(stored);
        WriteRecordBytes(kCoreParameterFileName, stored);
        CoreParameterRecord read = DefaultCoreParameters();
        EXPECT_EQ(ReadCoreParameters(read), FileResult::InvalidText) << c.what;
        EXPECT_STREQ(read.companyName, L"") << c.what;   // never reads into the next field
    }
    // The writer refuses an unterminated text and leaves the file as it was.
    const std::string before = ReadBytes(kCoreParameterFileName);
    CoreParameterRecord written = ShippableParameters();
    wmemset(written.sensorDefName, L'x', kSensorTextLength);
    EXPECT_EQ(WriteCoreParameters(written), FileResult::InvalidText);
    EXPECT_EQ(ReadBytes(kCoreParameterFileName), before);
}
