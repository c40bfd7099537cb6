#include "desktop.h"

#include <algorithm>

#include "png_writer.h"

namespace {

std::wstring TextOf(HWND window) {
    std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1);
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

BOOL CALLBACK CollectChildText(HWND child, LPARAM parameter) {
    *reinterpret_cast<std::wstring*>(parameter) += L"\n" + TextOf(child);
    return TRUE;
}

struct ProcessWindows {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM parameter) {
    auto* found = reinterpret_cast<ProcessWindows*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && (!found->visibleOnly || IsWindowVisible(window))) found->windows.push_back(window);
    return TRUE;
}

struct ButtonSearch {
    std::wstring caption;
    HWND found;
};

BOOL CALLBACK FindButton(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<ButtonSearch*>(parameter);
    std::wstring text = TextOf(child);
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    if (text != search->caption) return TRUE;
    search->found = child;
    return FALSE;
}

PointerRecorder* g_recorder = nullptr;

struct HookCloser {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

}  // namespace

std::wstring WindowTexts(HWND window) {
    std::wstring texts = TextOf(window);
    EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::vector<HWND> WindowsOfProcess(DWORD processId) {
    ProcessWindows found{processId, true, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

std::vector<HWND> TopLevelWindowsOfProcess(DWORD processId) {
    ProcessWindows found{processId, false, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

HWND WaitForWindowWithText(DWORD processId, const std::wstring& text, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        for (HWND window : WindowsOfProcess(processId))
            if (WindowTexts(window).find(text) != std::wstring::npos) return window;
        if (GetTickCount64() >= end) return nullptr;
        Sleep(50);
    }
}

bool PressButton(HWND dialog, const std::wstring& caption) {
    ButtonSearch search{caption, nullptr};
    EnumChildWindows(dialog, FindButton, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    PostMessageW(search.found, BM_CLICK, 0, 0);
    return true;
}

void PressKey(HWND window, WORD virtualKey) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

bool SaveScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !memory) return false;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    return WritePng(path, static_cast<const uint8_t*>(bits), width, height, (width * 3 + 3) & ~3, true);
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
        g_recorder->events_.push_back({message, mouse->pt, (mouse->flags & LLMHF_INJECTED) != 0, now.QuadPart});
    }
    return CallNextHookEx(nullptr, code, message, data);
}

std::vector<PointerEvent> PointerRecorder::Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

std::vector<PointerEvent> PointerRecorder::Buttons() const {
    std::vector<PointerEvent> buttons = Events();
    buttons.erase(std::remove_if(buttons.begin(), buttons.end(),
                                 [](const PointerEvent& event) { return event.message == WM_MOUSEMOVE; }),
                  buttons.end());
    return buttons;
}

POINT PointerRecorder::Position() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_.empty() ? POINT{-1, -1} : events_.back().point;
}

void PointerRecorder::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
}
