#include "box_driver.h"

#include "ui/html_message_box.h"
#include "ui/message_box_dialog.h"

namespace {

std::wstring WindowText(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

HWND FindVisibleDialog(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[64] = {};
            GetClassNameW(window, className, 64);
            if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

BoxDriver::BoxDriver(int press, bool tick, bool escapeFirst)
    : thread_(&BoxDriver::Run, this, GetCurrentThreadId(), press, tick, escapeFirst) {}

BoxDriver::~BoxDriver() {
    if (thread_.joinable()) thread_.join();
}

const ObservedBox& BoxDriver::Result() {
    if (thread_.joinable()) thread_.join();
    return observed_;
}

void BoxDriver::Run(DWORD boxThread, int press, bool tick, bool escapeFirst) {
    HWND box = nullptr;
    for (int attempt = 0; attempt < 500 && !box; ++attempt) {
        Sleep(20);
        box = FindVisibleDialog(boxThread);
    }
    if (!box) return;
    observed_.found = true;
    observed_.caption = WindowText(box);
    observed_.text = WindowText(GetDlgItem(box, kMessageTextControlId));
    observed_.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    observed_.tag = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(box, kMessageTagProperty)));
    observed_.owner = GetWindow(box, GW_OWNER);
    RECT client = {};
    GetClientRect(box, &client);
    observed_.clientSize = {client.right, client.bottom};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        const int id = GetDlgCtrlID(child);
        if (_wcsicmp(className, L"Button") != 0) continue;
        if (id == kDoNotShowAgainControlId) {
            observed_.checkLabel = WindowText(child);
        } else {
            observed_.buttons.emplace_back(id, WindowText(child));
        }
    }
    if (escapeFirst) {
        SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
        Sleep(50);
        if (!IsWindow(box)) return;
    }
    if (tick) SendMessageW(GetDlgItem(box, kDoNotShowAgainControlId), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageW(GetDlgItem(box, press), BM_CLICK, 0, 0);
}
