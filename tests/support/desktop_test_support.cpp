#include "desktop_test_support.h"

#include <vector>

namespace testsupport {

namespace {

struct Search {
    DWORD processId;
    bool hiddenToo;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && (search->hiddenToo || IsWindowVisible(window)))
        search->found.push_back(window);
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

std::vector<HWND> WindowsOfProcess(DWORD processId, bool hiddenToo) {
    Search search{processId, hiddenToo, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> VisibleWindowsOfClass(DWORD processId, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND window : WindowsOfProcess(processId))
        if (ClassOf(window) == className) found.push_back(window);
    return found;
}

NamedLock::NamedLock(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {
    // An abandoned lock (a test that crashed) is taken over.
    WaitForSingleObject(mutex_.Get(), INFINITE);
}

NamedLock::~NamedLock() { ReleaseMutex(mutex_.Get()); }

CursorLock::CursorLock() : lock_(L"TavroTestCursorLock") {}

CursorLock::~CursorLock() {
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) {
        INPUT up = {};
        up.type = INPUT_MOUSE;
        up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &up, sizeof up);
    }
}

BoxWatcher::BoxWatcher(Boxes boxes, std::function<void(HWND)> act)
    : boxes_(boxes), act_(std::move(act)), thread_([this] { Watch(); }) {}

BoxWatcher::~BoxWatcher() {
    stop_ = true;
    thread_.join();
}

bool BoxWatcher::Ran() {
    for (int waited = 0; handled_ == 0 && waited < 10000; waited += 20) Sleep(20);
    return handled_ > 0;
}

void BoxWatcher::Watch() {
    while (!stop_) {
        const std::vector<HWND> boxes = VisibleWindowsOfClass(GetCurrentProcessId(), L"#32770");
        for (HWND box : boxes) {
            act_(box);
            ++handled_;
            if (boxes_ == Boxes::FirstOnly) return;
        }
        Sleep(boxes.empty() ? 20 : 200);
    }
}

BoxDismisser::BoxDismisser(std::function<void(HWND box)> beforeClosing)
    : BoxWatcher(Boxes::Every, [beforeClosing = std::move(beforeClosing)](HWND box) {
          if (beforeClosing) beforeClosing(box);
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          // A question has no OK; it is answered No.
          PostMessageW(box, WM_COMMAND, IDNO, 0);
      }) {}

void Click(HWND dialog, int controlId) {
    SendMessageW(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

std::wstring WindowText(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

std::wstring ControlText(HWND dialog, int controlId) {
    return WindowText(GetDlgItem(dialog, controlId));
}

bool IsTopMost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

std::wstring WindowTexts(HWND window) {
    std::wstring text;
    AppendText(window, reinterpret_cast<LPARAM>(&text));
    EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace testsupport
