#pragma once
// The buttons of each MB_ button style, with their result ids and labels. A label is the
// string-table text of the module when that exists and is not empty, else the default.
#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxButton {
    int id;                       // what the box returns when it is pressed (IDOK, IDYES, ...)
    UINT stringId;                // its label in the string table
    const wchar_t* defaultLabel;
};

// Left to right, for the MB_TYPEMASK bits of a style (unknown sets give OK).
std::vector<MessageBoxButton> ButtonsFor(UINT style);

std::wstring ButtonLabel(HINSTANCE module, const MessageBoxButton& button);

// The "Do not show again" check box's label.
std::wstring DoNotShowAgainLabel(HINSTANCE module);
