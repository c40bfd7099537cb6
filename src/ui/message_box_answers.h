#pragma once
// Answers of the message box remembered in the registry ("Do not show again"), under
// HKEY_CURRENT_USER\Software\<company>\<application>\TavroMB, value <base><number> (REG_DWORD).
#include <windows.h>

#include <string>

struct MessageBoxParams;

// The key path below HKEY_CURRENT_USER; the company part is left out when none is given.
std::wstring RememberedAnswerKey(const MessageBoxParams& params);
std::wstring RememberedAnswerValueName(const MessageBoxParams& params);

// The remembered answer, or 0 when none (missing key or value, another type, or a stored 0).
int ReadRememberedAnswer(const MessageBoxParams& params);
// Stores an answer; failures leave nothing remembered.
void WriteRememberedAnswer(const MessageBoxParams& params, int answer);
