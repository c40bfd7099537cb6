#include "settings/core_parameter_record.h"

#include "settings/fixed_text.h"
#include "settings/text_scrambling.h"
#include "settings_test_fixture.h"

#include <cwchar>

namespace {

CoreParameterRecord ShippableParameters() {
    CoreParameterRecord parameters = DefaultCoreParameters();
    CopyFixedText(parameters.companyName, L"Tavro");
    CopyFixedText(parameters.productName, L"Tavro Pen");
    return parameters;
}

}  // namespace

class CoreParameterFileTest : public SettingsFileTest {};

TEST_F(CoreParameterFileTest, StoresTextsScrambledAtTheirOffsetsAndRestoresThem) {
    CoreParameterRecord written = ShippableParameters();
    written.misc.chbSkips = 4;
    const std::string bytes = RoundTrip(written, WriteCoreParameters, ReadCoreParameters, kCoreParameterFileName, 3152);
    // The first value, alignment row 0's and find threshold row 5's brightness, the dilate count
    // and the value at 536.
    for (auto [offset, value] : {std::pair<size_t, int32_t>{0, 60}, {20, 80}, {260 + 40 * 5, 24}, {500, 3}, {536, 100}})
        EXPECT_EQ(ValueAt<int32_t>(bytes, offset), value) << offset;
    // Company, product, sensor id and sensor default name, scrambled.
    for (auto [offset, value] : {std::pair<size_t, int>{548, L'T' + kTextScrambleOffset}, {1060 + 2 * 6, L'P' + kTextScrambleOffset},
                                 {1572, L'V' + kTextScrambleOffset}, {2612 + 2 * 5, 0}})
        EXPECT_EQ(ValueAt<uint16_t>(bytes, offset), value) << offset;
    EXPECT_EQ(bytes.find("VID_"), std::string::npos);
}

// Channels outside the three planes and texts left unterminated or ending early are the reader
// mutation test's business; scrambled texts at their offsets and back, the test above.
TEST_F(CoreParameterFileTest, AnEmptyTextIsInvalidTextAndTheWriterRefusesAnUnterminatedOneTheScramblerAWrappingOne) {
    CoreParameterRecord nameless = ShippableParameters();
    nameless.productName[0] = L'\0';
    ASSERT_EQ(WriteCoreParameters(nameless), FileResult::Ok);
    CoreParameterRecord read = DefaultCoreParameters();
    EXPECT_EQ(ReadCoreParameters(read), FileResult::InvalidText);
    // The writer refuses an unterminated text and leaves the file as it was.
    const std::string before = ReadBytes(kCoreParameterFileName);
    CoreParameterRecord written = ShippableParameters();
    wmemset(written.sensorDefName, L'x', kSensorTextLength);
    EXPECT_EQ(WriteCoreParameters(written), FileResult::InvalidText);
    EXPECT_EQ(ReadBytes(kCoreParameterFileName), before);
    // So does the scrambler a character that would scramble to the end of the text.
    wchar_t wrapping[4] = {L'a', static_cast<wchar_t>(0x10000 - kTextScrambleOffset), 0, 0};
    EXPECT_FALSE(ScrambleText(wrapping));
    EXPECT_EQ(wrapping[0], L'a');
}
