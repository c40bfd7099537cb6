#include "ui/dialog_support.h"

#include "ui/resource_text.h"

HINSTANCE DialogTemplateModule(int templateId) {
    HINSTANCE module = ResourceModule();
    if (FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG)) return module;
    return ExecutableModule();
}

void SetDialogTexts(HWND dialog, UINT titleId, std::initializer_list<ControlText> controls) {
    const std::wstring title = LoadText(titleId);
    if (!title.empty()) SetWindowTextW(dialog, title.c_str());
    for (const ControlText& control : controls) {
        const std::wstring text = LoadText(control.stringId);
        if (!text.empty()) SetDlgItemTextW(dialog, control.controlId, text.c_str());
    }
}

void SetMainIcon(HWND dialog) {
    HICON icon = MainIcon();
    if (!icon) return;
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void MakeTopMost(HWND window) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool IsChecked(HWND dialog, int controlId) {
    return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED;
}

void SetChecked(HWND dialog, int controlId, bool checked) {
    CheckDlgButton(dialog, controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}
