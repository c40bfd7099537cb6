#pragma once
// The program's settings files in its folder (C:\tavro, where scripts/e2e places the build's bin
// folder), read and written there as the program itself does.
#include <windows.h>

#include <string>

inline constexpr wchar_t kProgramFolder[] = L"C:\\tavro";

// The program's folder is the current directory while it lives.
class ProgramFolderScope {
public:
    ProgramFolderScope();
    ~ProgramFolderScope();
    ProgramFolderScope(const ProgramFolderScope&) = delete;
    ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;

private:
    wchar_t previous_[MAX_PATH] = {};
};

// Writes tavro_option.und: the default options, with or without the first-run questions (gain
// level, introduction), and whether a good stored alignment is used again at start-up ("Do not
// align if last alignment was ok.").
bool PlaceOptions(bool skipAlignmentWhenAligned, bool askFirstRunQuestions = false);

// A text of the string table of a module in the program's folder (its own executable or a
// language library), read as data; empty when missing.
std::wstring ProgramText(UINT id, const wchar_t* module = L"tavro.exe");
