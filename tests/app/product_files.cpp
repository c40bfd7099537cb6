#include "product_files.h"

#include "alignment/detector_file.h"
#include "settings/chessboard_layout_record.h"

#include <gtest/gtest.h>

#include <cwchar>

OptionRecord OptionsWithoutQuestions() {
    OptionRecord options = DefaultOptions();
    options.dontAskGainLevel = 1;
    options.dontShowIntroduction = 1;
    return options;
}

CoreParameterRecord ProductCoreParameters() {
    CoreParameterRecord parameters = DefaultCoreParameters();
    wcscpy(parameters.companyName, L"Tavro");
    wcscpy(parameters.productName, kProductName);
    return parameters;
}

void WriteProductFiles(const OptionRecord& options, const CoreParameterRecord& parameters) {
    ASSERT_EQ(WriteCoreParameters(parameters), FileResult::Ok);
    ASSERT_EQ(WriteChessboardLayout(DefaultChessboardLayout()), FileResult::Ok);
    const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
    ASSERT_EQ(WriteDetectorProfiles(kDetectorFileName, &lens, 1), FileResult::Ok);
    ASSERT_EQ(WriteOptions(options), FileResult::Ok);
}
