#pragma once
// How every window of the program finds what it serves: an object pointer kept in the window.
// A window gets it from the last argument of CreateWindowEx at WM_NCCREATE (or later through
// BindObject), a dialog from the last argument of DialogBoxParam at WM_INITDIALOG. Before that
// (and for a window made without one) the answer is null.
#include <windows.h>

template <typename Object>
void BindObject(HWND window, Object* object) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

template <typename Pointer>
Pointer BoundObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        void* object = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
        BindObject(window, object);
        return static_cast<Pointer>(object);
    }
    return reinterpret_cast<Pointer>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

template <typename Pointer>
Pointer BoundDialogObject(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Pointer>(GetWindowLongPtrW(dialog, DWLP_USER));
}
