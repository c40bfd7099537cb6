#include "box_driver.h"

#include "ui/html_message_box.h"
#include "ui/message_box_dialog.h"

using testsupport::WindowText;

namespace {

ObservedBox Observe(HWND box) {
    ObservedBox observed;
    observed.found = true;
    observed.caption = WindowText(box);
    observed.text = testsupport::ControlText(box, kMessageTextControlId);
    observed.topmost = testsupport::IsTopMost(box);
    observed.tag = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(box, kMessageTagProperty)));
    observed.owner = GetWindow(box, GW_OWNER);
    RECT client = {};
    GetClientRect(box, &client);
    observed.clientSize = {client.right, client.bottom};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        const int id = GetDlgCtrlID(child);
        if (_wcsicmp(className, L"Button") != 0) continue;
        if (id == kDoNotShowAgainControlId) {
            observed.checkLabel = WindowText(child);
        } else {
            observed.buttons.emplace_back(id, WindowText(child));
        }
    }
    return observed;
}

}  // namespace

BoxDriver::BoxDriver(int press, bool tick, bool escapeFirst)
    : driver_([this, press, tick, escapeFirst](HWND box) {
          observed_ = Observe(box);
          if (escapeFirst) {
              SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
              Sleep(50);
              if (!IsWindow(box)) return;
          }
          if (tick) SendMessageW(GetDlgItem(box, kDoNotShowAgainControlId), BM_SETCHECK, BST_CHECKED, 0);
          PostMessageW(GetDlgItem(box, press), BM_CLICK, 0, 0);
      }) {}

const ObservedBox& BoxDriver::Result() {
    driver_.Ran();
    return observed_;
}
