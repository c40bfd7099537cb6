// Writes the data files the product ships beside tavro.exe into the current folder:
// the core parameters, the chessboard layout and the lens profile of the 320 x 240 sensor.
// Usage: tavro_datagen.exe (run in the folder that receives the files). Exit code 0 on success.
#include "alignment/detector_file.h"
#include "settings/chessboard_layout_record.h"
#include "settings/core_parameter_record.h"
#include "settings/fixed_text.h"

#include <cstdio>

namespace {

// Lens of the shipped sensor: about 56 degrees across 320 pixels, centred, mild barrel
// distortion, no pointer offsets.
constexpr DetectorProfile kSensorLens{300.0f, 300.0f, 160.0f, 120.0f, -0.05f, 0.01f};

bool Report(const char* fileName, bool ok) {
    if (!ok) fprintf(stderr, "tavro_datagen: cannot write %s\n", fileName);
    return ok;
}

}  // namespace

int main() {
    CoreParameterRecord parameters = DefaultCoreParameters();
    CopyFixedText(parameters.companyName, L"Tavro");
    CopyFixedText(parameters.productName, L"Tavro Pen");
    bool ok = Report("tavro_param.und", WriteCoreParameters(parameters) == FileResult::Ok);
    ok = Report("tavro_chbrd.und", WriteChessboardLayout(DefaultChessboardLayout()) == FileResult::Ok) && ok;
    ok = Report("tavro_detector.und",
                WriteDetectorProfiles(kDetectorFileName, &kSensorLens, 1) == FileResult::Ok) && ok;
    return ok ? 0 : 1;
}
