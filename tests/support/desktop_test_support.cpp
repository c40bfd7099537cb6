#include "desktop_test_support.h"

#include <vector>

namespace testsupport {

namespace {

struct Found {
    DWORD process;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<Found*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (process == found->process && IsWindowVisible(window) &&
        wcscmp(className, L"#32770") == 0) {
        found->boxes.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK AppendText(HWND window, LPARAM context) {
    auto* text = reinterpret_cast<std::wstring*>(context);
    wchar_t chars[1024] = {};
    GetWindowTextW(window, chars, 1024);
    if (*chars) {
        if (!text->empty()) *text += L"\n";
        *text += chars;
    }
    return TRUE;
}

}  // namespace

NamedLock::NamedLock(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {
    // An abandoned lock (a test that crashed) is taken over.
    WaitForSingleObject(mutex_, INFINITE);
}

NamedLock::~NamedLock() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

CursorLock::CursorLock() : lock_(L"TavroTestCursorLock") {}

CursorLock::~CursorLock() {
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) {
        INPUT up = {};
        up.type = INPUT_MOUSE;
        up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &up, sizeof up);
    }
}

BoxDismisser::BoxDismisser() : thread_([this] { Watch(); }) {}

BoxDismisser::BoxDismisser(std::function<void(HWND box)> beforeClosing)
    : beforeClosing_(std::move(beforeClosing)), thread_([this] { Watch(); }) {}

BoxDismisser::~BoxDismisser() {
    stop_ = true;
    thread_.join();
}

void BoxDismisser::Watch() {
    while (!stop_) {
        Found found{GetCurrentProcessId(), {}};
        EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&found));
        for (HWND box : found.boxes) {
            if (beforeClosing_) beforeClosing_(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            // A question has no OK; it is answered No.
            PostMessageW(box, WM_COMMAND, IDNO, 0);
            ++closed_;
        }
        Sleep(found.boxes.empty() ? 20 : 200);
    }
}

std::wstring WindowTexts(HWND window) {
    std::wstring text;
    AppendText(window, reinterpret_cast<LPARAM>(&text));
    EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace testsupport
