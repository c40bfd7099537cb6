#pragma once
// A second run of this test program that picks its language from the system, as the program
// does at start, and writes what it then shows into a file.
#include <string>

// What the probe found, one text per line: abbreviation, library file name, the Common
// setting dialog's title and auto-run check box, and the tray icon failure message.
std::wstring RunLanguageProbe(const std::wstring& languageEnvironment);
