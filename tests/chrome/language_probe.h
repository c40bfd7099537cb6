#pragma once
// A second run of this test program that picks its language from the system, as the program
// does at start, and writes what it then shows into a file.
#include <string>

// What the probe found, one text per line: abbreviation, library file name, the Common
// setting dialog's title and auto-run check box, and the tray icon failure message.
// The probe runs with the Unix locale `locale` (e.g. "de_DE.UTF-8") in LANG and LC_ALL, which
// is what Wine takes the user's languages from.
std::wstring RunLanguageProbe(const std::wstring& locale);
