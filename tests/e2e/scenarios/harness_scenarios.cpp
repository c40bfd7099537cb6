// The harness's own helpers, checked without the program: pointer recording, message boxes
// and screenshots.
#include <windows.h>

#include <memory>
#include <thread>

#include "harness/desktop.h"
#include "harness/pattern_window.h"
#include "harness/scenario.h"

namespace {

void ClickAt(int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (x * 65536 + width - 1) / width;
        input.mi.dy = (y * 65536 + height - 1) / height;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
}

}  // namespace

E2E_SCENARIO(harness_self_check, "", 30) {
    PatternWindow grey(Pattern::Grey);
    {
        PointerRecorder recorder;
        ClickAt(100, 200);
        Sleep(300);
        const std::vector<PointerEvent> buttons = recorder.Buttons();
        const POINT position = recorder.Position();
        report.Figure("pointer", std::to_string(position.x) + "," + std::to_string(position.y));
        report.Figure("buttons", static_cast<double>(buttons.size()), 0);
        report.Check(position.x == 100 && position.y == 200, "pointer_position");
        report.Check(buttons.size() == 2 && buttons[0].message == WM_LBUTTONDOWN && buttons[1].message == WM_LBUTTONUP,
                     "button_events");
        report.Check(!buttons.empty() && buttons[0].point.x == 100 && buttons[0].point.y == 200 && buttons[0].injected,
                     "button_event_details");
    }
    auto answer = std::make_shared<int>(0);
    std::thread question([answer]() {
        *answer = MessageBoxW(nullptr, L"Harness question?", L"E2E harness", MB_YESNO | MB_ICONQUESTION);
    });
    HWND box = WaitForWindowWithText(GetCurrentProcessId(), L"Harness question?", 5000);
    report.Check(box != nullptr, "message_box_found");
    if (!box || !report.Check(PressButton(box, L"Yes"), "button_pressed")) {
        question.detach();  // the box stays until the process ends
        return;
    }
    question.join();
    report.Check(*answer == IDYES, "message_box_answer");
    report.Check(SaveScreenshot("harness_screen.png"), "screenshot");
}
