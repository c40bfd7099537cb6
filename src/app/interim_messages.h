#pragma once
// The few messages the start-up, the exit paths and the Mode changes show, in their text forms,
// through the system's message box. The program's own catalogue and box take these over.
#include <windows.h>

// "#10003\n[ name]\n\n<10003>\n\n<exit text>", error icon.
void ShowFileMessage(const wchar_t* fileName);
// Numbered 10001, the given middle text (may be empty) and the exit text, error icon.
void ShowSystemErrorText(const wchar_t* middleText);
// Numbered 10001 with the system's text for the code.
void ShowSystemError(DWORD errorCode);
// Numbered text of the id and the exit text, error icon.
void ShowFatalMessage(int id);
// "#%d\n\n%s" of the id's text.
void ShowNumberedMessage(int id, UINT icon);
// The id's text as it is.
void ShowPlainMessage(int id, UINT icon);
// "Close %s now?" with OK and Cancel; true on OK.
bool AskCloseNow(const wchar_t* productName);
