#pragma once
// Answers the next message box: records what it shows, optionally ticks its check box, then
// presses a button.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "desktop_test_support.h"
#include "ui/html_message_box.h"
#include "ui/message_box_dialog.h"

struct ObservedBox {
    bool found = false;
    std::wstring caption;
    std::wstring text;                                    // the text control's text
    std::vector<std::pair<int, std::wstring>> buttons;    // push buttons: id and label, left to right
    std::wstring checkLabel;                              // empty without a check box
    bool topmost = false;
    int tag = -1;
    HWND owner = nullptr;
    SIZE clientSize = {0, 0};

    explicit ObservedBox(HWND box = nullptr) {
        if (!box) return;
        found = true;
        caption = testsupport::WindowText(box);
        text = testsupport::ControlText(box, kMessageTextControlId);
        topmost = testsupport::IsTopMost(box);
        tag = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(box, kMessageTagProperty)));
        owner = GetWindow(box, GW_OWNER);
        RECT client = {};
        GetClientRect(box, &client);
        clientSize = {client.right, client.bottom};
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (_wcsicmp(testsupport::ClassOf(child).c_str(), L"Button") != 0) continue;
            if (GetDlgCtrlID(child) == kDoNotShowAgainControlId) {
                checkLabel = testsupport::WindowText(child);
            } else {
                buttons.emplace_back(GetDlgCtrlID(child), testsupport::WindowText(child));
            }
        }
    }
};

class BoxDriver {
public:
    // Presses button `press` of the next box (ticking the check box first when `tick`); with
    // escapeFirst, Escape is tried first.
    explicit BoxDriver(int press, bool tick = false, bool escapeFirst = false)
        : driver_([this, press, tick, escapeFirst](HWND box) {
              observed_ = ObservedBox(box);
              if (escapeFirst) {
                  SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
                  Sleep(50);
                  if (!IsWindow(box)) return;
              }
              if (tick) SendMessageW(GetDlgItem(box, kDoNotShowAgainControlId), BM_SETCHECK, BST_CHECKED, 0);
              PostMessageW(GetDlgItem(box, press), BM_CLICK, 0, 0);
          }) {}

    // Waits for the box to have been answered and returns what it showed.
    const ObservedBox& Result() {
        driver_.Ran();
        return observed_;
    }

private:
    ObservedBox observed_;
    testsupport::DialogDriver driver_;
};
