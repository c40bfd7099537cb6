#include "desktop.h"

#include <algorithm>

#include <opencv2/imgproc.hpp>

#include "pixel_canvas.h"
#include "scenario.h"

namespace {

PointerRecorder* g_recorder = nullptr;

struct HookCloser {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

}  // namespace

HWND WaitForWindowWithText(DWORD processId, const std::wstring& text, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(timeoutMs, [&] {
        for (HWND window : WindowsOfProcess(processId))
            if (!found && WindowTexts(window).find(text) != std::wstring::npos) found = window;
        return found != nullptr;
    });
    return found;
}

bool PressButton(HWND dialog, const std::wstring& caption) {
    for (HWND child = FindWindowExW(dialog, nullptr, nullptr, nullptr); child;
         child = FindWindowExW(dialog, child, nullptr, nullptr)) {
        std::wstring text = testsupport::WindowText(child);
        text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
        if (text == caption) return PostMessageW(child, BM_CLICK, 0, 0) != FALSE;
    }
    return false;
}

void PressKey(HWND window, WORD virtualKey) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

void PressChord(HWND window, std::initializer_list<WORD> keys) {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    Sleep(100);
    const auto send = [](WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        Sleep(150);
    };
    for (WORD key : keys) send(key, 0);
    for (auto it = keys.end(); it != keys.begin();) send(*--it, KEYEVENTF_KEYUP);
    Sleep(200);
}

bool SaveScreenshot(const std::string& name) {
    testsupport::PixelCanvas screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return screen.CopyFromScreen({0, 0}) && screen.Save(std::wstring(name.begin(), name.end()) + L".bmp");
}

bool FindColourOnScreen(COLORREF colour, cv::Point2d* centre, int least, int rows) {
    // Read whole rather than pixel by pixel: a polling scenario looks many times a second.
    testsupport::PixelCanvas screen(GetSystemMetrics(SM_CXSCREEN), rows < 0 ? GetSystemMetrics(SM_CYSCREEN) : rows);
    if (!screen.CopyFromScreen({0, 0}) || !screen.Bits()) return false;
    const cv::Mat shown(screen.Height(), screen.Width(), CV_8UC4, const_cast<uint32_t*>(screen.Bits()));
    const cv::Scalar bgr(GetBValue(colour), GetGValue(colour), GetRValue(colour), 0);
    cv::Mat match;
    cv::inRange(shown, bgr, bgr + cv::Scalar(0, 0, 0, 255), match);
    const cv::Moments found = cv::moments(match, true);
    if (found.m00 < std::max(least, 1)) return false;
    if (centre) *centre = {found.m10 / found.m00, found.m01 / found.m00};
    return true;
}

PointerRecorder::PointerRecorder() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    g_recorder = this;
    thread_ = std::thread(&PointerRecorder::Run, this);
    WaitForSingleObject(ready_.Get(), 5000);
}

PointerRecorder::~PointerRecorder() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    g_recorder = nullptr;
}

void PointerRecorder::Run() {
    threadId_ = GetCurrentThreadId();
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    UniqueHandle<HHOOK, HookCloser> hook(SetWindowsHookExW(WH_MOUSE_LL, Hook, GetModuleHandleW(nullptr), 0));
    SetEvent(ready_.Get());
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

LRESULT CALLBACK PointerRecorder::Hook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && g_recorder) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        std::lock_guard<std::mutex> lock(g_recorder->mutex_);
        g_recorder->events_.push_back({message, mouse->pt, now.QuadPart});
    }
    return CallNextHookEx(nullptr, code, message, data);
}

std::vector<PointerEvent> PointerRecorder::Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

std::vector<PointerEvent> PointerRecorder::Of(WPARAM kind) const {
    std::vector<PointerEvent> found;
    for (const PointerEvent& event : Events())
        if (event.message == kind) found.push_back(event);
    return found;
}

POINT PointerRecorder::Position() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_.empty() ? POINT{-1, -1} : events_.back().point;
}

void PointerRecorder::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
}
