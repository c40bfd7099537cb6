#include "settings/settings_loading.h"

RequiredFileLoad LoadCoreParameterFile(CoreParameterRecord& parameters) {
    return {ReadCoreParameters(parameters), kCoreParameterFileName};
}

RequiredFileLoad LoadChessboardLayoutFile(ChessboardLayoutRecord& layout) {
    return {ReadChessboardLayout(layout), kChessboardLayoutFileName};
}

FileResult LoadOptionFile(OptionRecord& options) {
    FileResult result = ReadOptions(options);
    if (result != FileResult::Ok) {
        options = DefaultOptions();
        WriteOptions(options);
    }
    return result;
}

FileResult LoadAlignmentResultFile(AlignmentRecord& alignment) {
    FileResult result = ReadAlignmentResult(alignment);
    if (result != FileResult::Ok) alignment = DefaultAlignmentResult();
    return result;
}

FileResult LoadDisplayAspectFile(DisplayAspectRecord& aspect, int screenWidth, int screenHeight) {
    FileResult result = ReadDisplayAspect(aspect);
    if (result == FileResult::CannotOpen) {
        aspect = {static_cast<float>(screenWidth), static_cast<float>(screenHeight), 1};
        WriteDisplayAspect(aspect);
    }
    return result;
}
