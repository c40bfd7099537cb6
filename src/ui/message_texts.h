#pragma once
// The text forms of the program's messages, built from the string table. Every form is cut to
// kMessageCapacity characters; texts (file names, system texts, translations) are only ever
// arguments, never formats.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

// Room for one joined message, terminator included.
constexpr std::size_t kMessageCapacity = 1024;

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

// What the Help menu's system aspect report shows.
struct AspectFigures {
    int desktopWidth = 0;
    int desktopHeight = 0;
    float displayWidth = 0.0f;
    float displayHeight = 0.0f;
};
std::wstring SystemAspectText(const AspectFigures& figures);

// What the Help menu's accuracy report shows: the grade (0 not aligned, 1 failed, 2 bad,
// 3 coarse, 4 good) and the figures of the last alignment.
struct AccuracyReport {
    int grade = 0;
    int lostCorners = 0;
    int badCorners = 0;
    float maxErrorX = 0.0f;
    float maxErrorY = 0.0f;
    float averageErrorX = 0.0f;
    float averageErrorY = 0.0f;
};
std::wstring AccuracyText(const AccuracyReport& figures);
// The display text of a grade; out-of-range grades read as "Not aligned".
std::wstring GradeText(int grade);
