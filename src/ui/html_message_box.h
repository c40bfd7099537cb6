#pragma once
// The program's own message box: behaves like the system's (same MB_ style bits, button ids
// and results), draws its text with the rich-text drawer, puts the icon beside the text, takes
// button labels from the string table and can remember an answer in the registry.
#include <windows.h>

#include <string>

// Style bits of our own, beside the system's MB_ bits.
constexpr UINT kMbDoNotShowAgain = 0x01000000;  // offer "Do not show again", honour a stored answer
constexpr UINT kMbNoBeep = 0x40000000;

// Optional call parameters; the box copies the block whole.
struct MessageBoxParams {
    // Module whose string table gives the button labels (null: the program's resource module).
    HINSTANCE resourceModule = nullptr;
    // Where a remembered answer lives: HKCU\Software\<company>\<application>\TavroMB, value
    // <valueNameBase><valueNumber>. No value-name base: nothing is remembered.
    const wchar_t* companyName = nullptr;
    const wchar_t* applicationName = nullptr;
    const wchar_t* valueNameBase = nullptr;
    int valueNumber = 0;
    // Drawn instead of the standard icon of the MB_ICON bits.
    HICON customIcon = nullptr;
    // Backgrounds of the text area and of the button strip (system colour indices).
    int textBackground = COLOR_BTNFACE;
    int buttonBackground = COLOR_BTNFACE;
    // Cell padding of the table that holds the icon and the text.
    int spacing = 8;
    // The caller's tag for the message (7 for the program's error and status messages, 0 for
    // questions and reports); the box keeps it as the window property kMessageTagProperty.
    int messageTag = 0;
};

constexpr const wchar_t* kMessageTagProperty = L"TavroMessageTag";

// Shows the box modally and returns the pressed button's id (IDOK, IDYES, ...), or the
// remembered answer without showing anything (0 when the box could not be made).
// No owner: the last active pop-up of the active window. No caption: the owner's title, else
// "Error". Without a parameter block a style without icon bits gets the exclamation icon.
// The check box (kMbDoNotShowAgain) needs a value-name base in the block.
int HtmlMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style,
                   const MessageBoxParams* params = nullptr);

// The mark-up the box draws for a text: right-aligned with MB_RIGHT, and put in a table
// beside the icon when there is one.
std::wstring MessageBoxMarkup(const std::wstring& text, UINT style, const MessageBoxParams& params);
