#include "harness/program_files.h"

#include "base/unique_handle.h"
#include "settings/option_record.h"
#include "ui/resource_text.h"

ProgramFolderScope::ProgramFolderScope() {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    SetCurrentDirectoryW(kProgramFolder);
}

ProgramFolderScope::~ProgramFolderScope() { SetCurrentDirectoryW(previous_); }

bool PlaceOptions(bool skipAlignmentWhenAligned, bool askFirstRunQuestions) {
    OptionRecord options = DefaultOptions();
    options.dontAskGainLevel = options.dontShowIntroduction = askFirstRunQuestions ? 0 : 1;
    options.skipAlignmentWhenAligned = skipAlignmentWhenAligned ? 1 : 0;
    ProgramFolderScope folder;
    return WriteOptions(options) == FileResult::Ok;
}

std::wstring ProgramText(UINT id, const wchar_t* module) {
    UniqueModule loaded(LoadLibraryExW((std::wstring(kProgramFolder) + L"\\" + module).c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE));
    return loaded ? LoadModuleText(loaded.Get(), id) : L"";
}
