#include "ui/html_message_box.h"

int HtmlMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style,
                   const MessageBoxParams* params) {
    if (!params) style |= MB_ICONEXCLAMATION;
    return MessageBoxW(owner, text, caption && *caption ? caption : L"Error", style & 0x00FFFFFF);
}
