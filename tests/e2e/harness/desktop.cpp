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

// A 24-bit picture, rows top-down.
struct Picture {
    int width = 0, height = 0, stride = 0;
    std::vector<uint8_t> bits;

    int Luma(int x, int y) const {
        const uint8_t* p = &bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
        return (p[0] * 29 + p[1] * 150 + p[2] * 77) >> 8;
    }
    bool Dark(int x, int y, int below) const { return Luma(x, y) < below; }
};

// What `draw` paints on a memory DC holding a fresh picture of that size (empty on failure).
template <typename Draw>
Picture DrawPicture(int width, int height, Draw draw) {
    Picture picture;
    UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !memory || width <= 0 || height <= 0) return picture;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        draw(memory.Get());
    }
    GdiFlush();
    picture.width = width;
    picture.height = height;
    picture.stride = (width * 3 + 3) & ~3;
    const auto* first = static_cast<const uint8_t*>(bits);
    picture.bits.assign(first, first + static_cast<size_t>(picture.stride) * height);
    return picture;
}

// The best overlap (shared over joint ink pixels) of one line's ink, drawn black on white, with
// the screen's ink anywhere in `shown`. Each line is matched on its own: a centred line may sit
// a pixel away from where a rendering of the whole text would put it.
double LineInkOverlap(const Picture& shown, int screenInk, const std::wstring& line) {
    constexpr int kTextInk = 128;
    UniqueMemoryDc measuring(CreateCompatibleDC(nullptr));
    RECT extent = {0, 0, 0, 0};
    DrawTextW(measuring.Get(), line.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    const Picture drawn = DrawPicture(extent.right, extent.bottom, [&](HDC dc) {
        FillRect(dc, &extent, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, line.c_str(), -1, &extent, DT_SINGLELINE | DT_NOCLIP);
    });
    if (drawn.bits.empty()) return 0.0;
    // Only the inked box of the line is compared.
    RECT ink = {drawn.width, drawn.height, 0, 0};
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = 0; x < drawn.width; ++x) {
            if (!drawn.Dark(x, y, kTextInk)) continue;
            ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                   std::max<LONG>(ink.bottom, y + 1)};
        }
    }
    if (ink.right <= ink.left) return 0.0;
    double best = 0.0;
    for (int dy = 0; dy + (ink.bottom - ink.top) <= shown.height; ++dy) {
        for (int dx = 0; dx + (ink.right - ink.left) <= shown.width; ++dx) {
            int both = 0, either = 0;
            for (int y = ink.top; y < ink.bottom; ++y) {
                for (int x = ink.left; x < ink.right; ++x) {
                    const bool inText = drawn.Dark(x, y, kTextInk);
                    const bool onScreen = shown.Dark(dx + x - ink.left, dy + y - ink.top, screenInk);
                    both += inText && onScreen;
                    either += inText || onScreen;
                }
            }
            if (either > 0) best = std::max(best, static_cast<double>(both) / either);
        }
    }
    return best;
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

std::vector<HWND> WindowsOfProcess(DWORD processId, bool hiddenToo) {
    ProcessWindows found{processId, !hiddenToo, {}};
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

void PressWithControl(HWND window, WORD virtualKey) {
    keybd_event(VK_CONTROL, 0, 0, 0);
    Sleep(100);
    PressKey(window, virtualKey);
    Sleep(300);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

bool SaveScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    WindowDc screen(nullptr);
    const Picture picture = DrawPicture(width, height, [&](HDC dc) {
        BitBlt(dc, 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    });
    return !picture.bits.empty() &&
           WritePng(path, picture.bits.data(), width, height, picture.stride, false);
}

bool FindColourOnScreen(COLORREF colour, POINT* centre, int least, int rows) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = rows < 0 ? GetSystemMetrics(SM_CYSCREEN) : rows;
    WindowDc screen(nullptr);
    const Picture shown = DrawPicture(width, height, [&](HDC dc) {
        BitBlt(dc, 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    });
    long long sumX = 0, sumY = 0, count = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const uint8_t* p = &shown.bits[static_cast<size_t>(y) * shown.stride + static_cast<size_t>(x) * 3];
            if (RGB(p[2], p[1], p[0]) != colour) continue;
            sumX += x;
            sumY += y;
            ++count;
        }
    }
    if (count < least) return false;
    if (centre) *centre = {static_cast<LONG>(sumX / count), static_cast<LONG>(sumY / count)};
    return true;
}

double TextInkOverlap(const RECT& area, const std::wstring& text) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    WindowDc screen(nullptr);
    const Picture shown = DrawPicture(width, height, [&](HDC dc) {
        BitBlt(dc, 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    });
    if (shown.bits.empty()) return 0.0;
    // Ink on this screen: nearer the darkest grey of the area than its brightest, as the text's
    // ink is nearer black than white.
    int brightest = 0, darkest = 255;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            brightest = std::max(brightest, shown.Luma(x, y));
            darkest = std::min(darkest, shown.Luma(x, y));
        }
    }
    const int screenInk = (brightest + darkest + 1) / 2;
    double worst = 1.0;
    bool anyLine = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(L'\n', start), text.size());
        if (end > start) {
            worst = std::min(worst, LineInkOverlap(shown, screenInk, text.substr(start, end - start)));
            anyLine = true;
        }
        start = end + 1;
    }
    return anyLine ? worst : 0.0;
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
