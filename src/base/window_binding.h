#pragma once
// How every window of the program finds what it serves: the last argument of CreateWindowEx,
// kept in GWLP_USERDATA from WM_NCCREATE on. Before that message (and for a window made
// without one) the answer is null.
#include <windows.h>

template <typename Pointer>
Pointer BoundObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        void* object = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return static_cast<Pointer>(object);
    }
    return reinterpret_cast<Pointer>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
