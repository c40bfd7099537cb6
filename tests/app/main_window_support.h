#pragma once
// Watching the built program's main window: its title, and a stored alignment that lets it
// enter gain finding.
#include "product_files.h"
#include "program_run.h"

#include <string>

// A stored alignment graded Good for the current desktop, written into the current folder; a
// start with "skip alignment when aligned" takes it over.
void WriteUsableAlignment();

std::wstring TitleOf(HWND window);
// Waits (serving messages) until the title ends with the text; true when it did.
bool WaitForTitleEnding(HWND window, const std::wstring& ending, DWORD milliseconds);
