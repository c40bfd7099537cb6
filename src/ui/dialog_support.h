#pragma once
// What the settings dialogs share: running a template of the resource module modally, texts
// from the string table, the main icon and the top-most placement.
#include <windows.h>

#include <initializer_list>

#include "base/window_binding.h"

// What a dialog does besides filling itself in (void OnInit(HWND dialog), which every dialog
// has). A dialog derives from this and hides the steps it needs; the defaults end with OK's
// or Cancel's own id and ignore the other controls.
struct DialogSteps {
    INT_PTR OnOk(HWND) { return IDOK; }
    // Also the close box.
    INT_PTR OnCancel(HWND) { return IDCANCEL; }
    bool OnControl(HWND, int /*id*/, int /*code*/) { return false; }
};

// Runs the dialog template `templateId` modally, owned by `owner`, and returns the value it
// ended with (-1 when it could not be created). Every dialog is made top-most once OnInit has
// run.
template <typename Dialog>
INT_PTR RunModalDialog(HWND owner, int templateId, Dialog& dialog);

struct ControlText {
    int controlId;
    UINT stringId;
};

// Sets the title and the listed controls from the string table. A text that cannot be loaded
// leaves the template's own text in place.
void SetDialogTexts(HWND dialog, UINT titleId, std::initializer_list<ControlText> controls);
// Gives the dialog the program's main icon.
void SetMainIcon(HWND dialog);
void MakeTopMost(HWND window);

bool IsChecked(HWND dialog, int controlId);
void SetChecked(HWND dialog, int controlId, bool checked);

// --- implementation of the template -------------------------------------------------------

// The module that holds a dialog template: the resource module, else the executable.
HINSTANCE DialogTemplateModule(int templateId);

template <typename Dialog>
INT_PTR CALLBACK ModalDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = BoundDialogObject<Dialog*>(window, message, lParam);
    if (message == WM_INITDIALOG) {
        dialog->OnInit(window);
        MakeTopMost(window);
        return TRUE;
    }
    if (message != WM_COMMAND || !dialog) return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(window, id == IDOK ? dialog->OnOk(window) : dialog->OnCancel(window));
        return TRUE;
    }
    return dialog->OnControl(window, id, HIWORD(wParam));
}

template <typename Dialog>
INT_PTR RunModalDialog(HWND owner, int templateId, Dialog& dialog) {
    return DialogBoxParamW(DialogTemplateModule(templateId), MAKEINTRESOURCEW(templateId), owner,
                           &ModalDialogProcedure<Dialog>, reinterpret_cast<LPARAM>(&dialog));
}
