#pragma once
// The window of the program's message box: a modal dialog built in memory, sized to its text,
// with the drawn text, a row of buttons and, when asked, the "Do not show again" check box.
#include <windows.h>

#include <string>

#include "ui/html_message_box.h"

// Child control ids besides the buttons' result ids.
constexpr int kMessageTextControlId = 100;  // STATIC; its window text is the plain message text
constexpr int kDoNotShowAgainControlId = 101;

struct MessageBoxContent {
    std::wstring text;     // as the caller gave it
    std::wstring markup;   // what the rich-text drawer draws
    std::wstring caption;
    UINT style = 0;
    MessageBoxParams params;
};

// Runs the dialog; returns the pressed button's id, or 0 when the dialog could not be made.
// Writes the remembered answer when the check box was ticked.
int RunMessageBoxDialog(HWND owner, const MessageBoxContent& content);
