// The data files the build places beside tavro.exe must load as the program loads them.
#include "settings/chessboard_layout_record.h"
#include "settings/core_parameter_record.h"

#include "settings_test_fixture.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

namespace {

// The build writes the data files into bin/, a sibling of the tests' working folder.
std::wstring ShippedFile(const wchar_t* name) {
    wchar_t executable[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    std::wstring folder(executable);
    folder.resize(folder.find_last_of(L"\\/"));
    return folder + L"\\..\\bin\\" + name;
}

}  // namespace

class ShippedDataTest : public SettingsFileTest {
protected:
    void CopyShipped(const wchar_t* name) {
        std::wstring source = ShippedFile(name);
        ASSERT_TRUE(CopyFileW(source.c_str(), name, FALSE)) << "missing " << std::string(source.begin(), source.end());
    }
};

TEST_F(ShippedDataTest, CoreParametersLoadWithProductTexts) {
    CopyShipped(kCoreParameterFileName);
    CoreParameterRecord parameters = DefaultCoreParameters();
    ASSERT_EQ(ReadCoreParameters(parameters), FileResult::Ok);
    EXPECT_STREQ(parameters.companyName, L"Tavro");
    EXPECT_STREQ(parameters.productName, L"Tavro Pen");
    EXPECT_STREQ(parameters.sensorVidPid, L"VID_05E1&PID_0500");
    EXPECT_STREQ(parameters.sensorUserName, L"USB2.0 VGA WebCam");
    EXPECT_STREQ(parameters.sensorDefName, L"Tavro");
    CoreParameterRecord builtIn = DefaultCoreParameters();
    EXPECT_EQ(std::memcmp(&parameters.sensorInit, &builtIn.sensorInit, offsetof(CoreParameterRecord, companyName)), 0);
    EXPECT_EQ(std::memcmp(&parameters.misc, &builtIn.misc, sizeof builtIn.misc), 0);
}

TEST_F(ShippedDataTest, ChessboardLayoutIsCentredAtFittedSize) {
    CopyShipped(kChessboardLayoutFileName);
    ChessboardLayoutRecord layout{};
    ASSERT_EQ(ReadChessboardLayout(layout), FileResult::Ok);
    const ChessboardLayoutRecord centred{0, 0, 100, 100, 0};
    EXPECT_EQ(std::memcmp(&layout, &centred, sizeof layout), 0);
}

TEST_F(ShippedDataTest, DetectorFileHoldsOneLensProfileForTheSensor) {
    CopyShipped(L"tavro_detector.und");
    FILE* file = _wfopen(L"tavro_detector.und", L"r");
    ASSERT_NE(file, nullptr);
    float v[12] = {};
    int fields = fscanf(file, "A=%g\tB=%g\tC=%g\tD=%g\tE=%g\tF=%g\tG=%g\tH=%g\tI=%g\tJ=%g\tK=%g\tL=%g\n", &v[0],
                        &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11]);
    float extra;
    int further = fscanf(file, "A=%g", &extra);
    fclose(file);
    ASSERT_EQ(fields, 12);
    EXPECT_EQ(further, EOF);
    EXPECT_NEAR(v[0], 300.0f, 50.0f);            // focal lengths in sensor pixels
    EXPECT_EQ(v[0], v[1]);
    EXPECT_EQ(v[2], 160.0f);                     // principal point at the centre of 320 x 240
    EXPECT_EQ(v[3], 120.0f);
    EXPECT_LT(std::abs(v[4]), 0.2f);             // mild distortion
    EXPECT_LT(std::abs(v[5]), 0.2f);
    for (int i = 8; i < 12; ++i) EXPECT_EQ(v[i], 0.0f) << "pointer offset " << i;
}
