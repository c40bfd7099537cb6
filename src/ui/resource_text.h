#pragma once
// Texts of the string table: from the resource module (a language library when one is loaded,
// else the executable), each at most 259 characters.
#include <windows.h>

#include <string>

// The module the program's own texts come from: the loaded language library, else the
// executable.
HINSTANCE ResourceModule();
// The executable, the instance the entry point is given.
HINSTANCE ExecutableModule();
// The program's icon, from the executable; shared, so every call gives the same handle.
HICON MainIcon();

// The text of one string-table entry of a module; empty when missing.
std::wstring LoadModuleText(HINSTANCE module, UINT id);

// The text of an id from the resource module, falling back to the executable's own text when
// the resource module lacks it.
std::wstring LoadText(UINT id);

// A format string of an id. A language library's format is taken only when its conversions are
// those of the executable's own string of that id, so a faulty translation can never make the
// formatter read arguments that are not there.
std::wstring LoadFormat(UINT id);
// The choice LoadFormat makes between the executable's format and a translated one.
std::wstring ChooseFormat(const std::wstring& own, const std::wstring& translated);
