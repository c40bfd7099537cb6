#pragma once
// Starting the program when the user logs on: the value "TavroPen" under the current user's
// Run key holds the executable's path in double quotes.
#include <string>

bool IsAutoRunSet();
// Stores the quoted path of this executable; false when the registry refuses.
bool SetAutoRun();
bool ClearAutoRun();

// The command stored for an executable path: the path in double quotes.
std::wstring AutoRunCommand(const std::wstring& executablePath);
