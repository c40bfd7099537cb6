#include "desktop.h"

#include <algorithm>

#include <opencv2/imgproc.hpp>

#include "png_writer.h"
#include "scenario.h"

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

// What `draw` paints on a memory DC holding a fresh 24-bit picture of that size (blue-green-red
// rows top-down; empty on failure).
template <typename Draw>
cv::Mat DrawPicture(int width, int height, Draw draw) {
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
    if (!bitmap || !memory || width <= 0 || height <= 0) return cv::Mat();
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        draw(memory.Get());
    }
    GdiFlush();
    return cv::Mat(height, width, CV_8UC3, bits, (width * 3 + 3) & ~3).clone();
}

cv::Mat ScreenPicture(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    WindowDc screen(nullptr);
    return DrawPicture(width, height, [&](HDC dc) {
        BitBlt(dc, 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    });
}

RECT WholeScreen(int rows = -1) {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), rows < 0 ? GetSystemMetrics(SM_CYSCREEN) : rows};
}

// 1 where the picture's grey level is below `level`, else 0.
cv::Mat InkBelow(const cv::Mat& grey, int level) {
    cv::Mat ink;
    cv::threshold(grey, ink, level - 1, 1.0, cv::THRESH_BINARY_INV);
    return ink;
}

cv::Mat Grey(const cv::Mat& picture) {
    cv::Mat grey;
    cv::cvtColor(picture, grey, cv::COLOR_BGR2GRAY);
    return grey;
}

// The best overlap (shared over joint ink pixels) of one line's ink, drawn black on white, with
// the screen's ink anywhere. Each line is matched on its own: a centred line may sit a pixel away
// from where a rendering of the whole text would put it.
double LineInkOverlap(const cv::Mat& screenInk, const std::wstring& line) {
    UniqueMemoryDc measuring(CreateCompatibleDC(nullptr));
    RECT extent = {0, 0, 0, 0};
    DrawTextW(measuring.Get(), line.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    const cv::Mat drawn = DrawPicture(extent.right, extent.bottom, [&](HDC dc) {
        FillRect(dc, &extent, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, line.c_str(), -1, &extent, DT_SINGLELINE | DT_NOCLIP);
    });
    if (drawn.empty()) return 0.0;
    // Only the inked box of the line is compared.
    const cv::Mat lineInk = InkBelow(Grey(drawn), 128);
    const cv::Rect box = cv::boundingRect(lineInk);
    if (box.empty() || box.width > screenInk.cols || box.height > screenInk.rows) return 0.0;
    cv::Mat text, screen, both, screenCount;
    lineInk(box).convertTo(text, CV_32F);
    screenInk.convertTo(screen, CV_32F);
    cv::matchTemplate(screen, text, both, cv::TM_CCORR);
    cv::matchTemplate(screen, cv::Mat::ones(text.size(), CV_32F), screenCount, cv::TM_CCORR);
    const cv::Mat either = screenCount + cv::sum(text)[0] - both;
    double best = 0.0;
    cv::minMaxLoc(both / either, nullptr, &best);
    return best;
}

PointerRecorder* g_recorder = nullptr;

struct HookCloser {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

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
    HWND found = nullptr;
    WaitUntil(timeoutMs, [&] {
        for (HWND window : WindowsOfProcess(processId))
            if (!found && WindowTexts(window).find(text) != std::wstring::npos) found = window;
        return found != nullptr;
    });
    return found;
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

bool SaveScreenshot(const std::string& path) {
    const cv::Mat shown = ScreenPicture(WholeScreen());
    return !shown.empty() && WritePng(path, shown);
}

bool FindColourOnScreen(COLORREF colour, POINT* centre, int least, int rows) {
    const cv::Mat shown = ScreenPicture(WholeScreen(rows));
    if (shown.empty()) return false;
    const cv::Scalar bgr(GetBValue(colour), GetGValue(colour), GetRValue(colour));
    cv::Mat match;
    cv::inRange(shown, bgr, bgr, match);
    const cv::Moments found = cv::moments(match, true);
    if (found.m00 < std::max(least, 1)) return false;
    if (centre) *centre = {static_cast<LONG>(found.m10 / found.m00), static_cast<LONG>(found.m01 / found.m00)};
    return true;
}

double TextInkOverlap(const RECT& area, const std::wstring& text) {
    const cv::Mat shown = ScreenPicture(area);
    if (shown.empty()) return 0.0;
    // Ink on this screen: nearer the darkest grey of the area than its brightest, as the text's
    // ink is nearer black than white.
    const cv::Mat grey = Grey(shown);
    double darkest = 0.0, brightest = 0.0;
    cv::minMaxLoc(grey, &darkest, &brightest);
    const cv::Mat screenInk = InkBelow(grey, static_cast<int>(brightest + darkest + 1) / 2);
    double worst = 1.0;
    bool anyLine = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(L'\n', start), text.size());
        if (end > start) {
            worst = std::min(worst, LineInkOverlap(screenInk, text.substr(start, end - start)));
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
