#pragma once
// The text forms of the program's messages, built from the string table. Every form is cut to
// kMessageCapacity characters; texts (file names, system texts, translations) are only ever
// arguments, never formats.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

#include "alignment/display_geometry.h"
#include "settings/alignment_record.h"

// Room for one joined message, terminator included.
constexpr std::size_t kMessageCapacity = 1024;
// Room for a grade text in the accuracy report, terminator included.
constexpr std::size_t kGradeTextCapacity = 21;

// "#<id>\n\n<text>".
std::wstring NumberedText(UINT id);
// The numbered text followed by "Application will exit now.".
std::wstring FatalText(UINT id);
// Numbered 10001 text, the system's text (left out when empty) and the exit text.
std::wstring SystemErrorText(const std::wstring& systemText);
// The system's own description of an error code; empty when it has none.
std::wstring SystemTextOf(DWORD errorCode);
// "#10003\n[ <file>]\n\n<10003 text>\n\n<exit text>".
std::wstring FileErrorText(const std::wstring& fileName);
// The same frame with the name cut before its extension and the open error of a shell result.
std::wstring OpenFailureText(const std::wstring& fileName, INT_PTR shellResult);
// The description of a failed ShellExecuteW result (0..32).
const wchar_t* ShellOpenErrorText(INT_PTR shellResult);
// The name without its extension (from the last '.'); a name without '.' stays whole.
std::wstring WithoutExtension(const std::wstring& name);

// The Help menu's reports: the desktop and display aspects, and the last alignment's grade
// and errors (the four figures read "--" below grade 2).
std::wstring SystemAspectText(const DisplayGeometry& geometry);
std::wstring AccuracyText(const AccuracyFigures& figures);
// The display text of a grade; out-of-range grades read as "Not aligned".
std::wstring GradeText(int grade);
