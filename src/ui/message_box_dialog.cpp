#include "ui/message_box_dialog.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/unique_handle.h"
#include "base/window_binding.h"
#include "ui/message_box_answers.h"
#include "ui/message_box_buttons.h"
#include "ui/resource_text.h"
#include "ui/rich_text_layout.h"

namespace {

constexpr int kMargin = 12;
constexpr int kButtonGap = 8;
constexpr int kMinButtonWidth = 80;

class MessageBoxDialog {
public:
    explicit MessageBoxDialog(const MessageBoxContent& content)
        : content_(content), buttons_(ButtonsFor(content.style)) {}

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = BoundDialogObject<MessageBoxDialog*>(window, message, lParam);
        return self ? self->Handle(window, message, wParam, lParam) : FALSE;
    }

private:
    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG: return Initialize(window);
        case WM_ERASEBKGND: PaintBackground(reinterpret_cast<HDC>(wParam)); return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(content_.params.buttonBackground));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(content_.params.buttonBackground));
        case WM_DRAWITEM: PaintText(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
        case WM_DESTROY: RemovePropW(window, kMessageTagProperty); return FALSE;
        default: return FALSE;
        }
    }

    BOOL Initialize(HWND window) {
        window_ = window;
        SetPropW(window, kMessageTagProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(content_.params.messageTag)));
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_.Reset(CreateFontIndirectW(&metrics.lfMessageFont));
        measureDc_.Reset(CreateCompatibleDC(nullptr));
        const RECT work = WorkArea(window);
        layout_ = std::make_unique<RichTextLayout>(
            LayoutRichText(measureDc_.Get(), font_.Get(), content_.markup, (work.right - work.left) * 3 / 5));
        const HWND focus = CreateControls();
        PlaceWindow(work);
        if (!CanClose()) EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        if (content_.style & MB_TOPMOST) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (content_.style & MB_SETFOREGROUND) SetForegroundWindow(window);
        SetWindowTextW(window, content_.caption.c_str());
        SetFocus(focus);
        return FALSE;  // focus is set
    }

    RECT WorkArea(HWND window) const {
        const HWND owner = GetWindow(window, GW_OWNER);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        return monitor.rcWork;
    }

    SIZE LabelSize(const std::wstring& label) const {
        const SelectedObject selected(measureDc_.Get(), font_.Get());
        SIZE size = {};
        GetTextExtentPoint32W(measureDc_.Get(), label.c_str(), static_cast<int>(label.size()), &size);
        return size;
    }

    HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int id) {
        const HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                             window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        return control;
    }

    // Creates the text, the buttons and the check box; returns the default button.
    HWND CreateControls() {
        const HINSTANCE module = content_.params.resourceModule ? content_.params.resourceModule : ResourceModule();
        text_ = AddControl(L"STATIC", content_.text, SS_OWNERDRAW, kMessageTextControlId);
        std::size_t defaultIndex = (content_.style & MB_DEFMASK) >> 8;
        if (defaultIndex >= buttons_.size()) defaultIndex = 0;
        HWND defaultButton = nullptr;
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            const std::wstring label = ButtonLabel(module, buttons_[i]);
            const DWORD kind = i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            buttonWindows_.push_back(AddControl(L"BUTTON", label, WS_TABSTOP | kind, buttons_[i].id));
            buttonSize_.cx = std::max<LONG>({buttonSize_.cx, kMinButtonWidth, LabelSize(label).cx + 2 * kMargin});
            buttonSize_.cy = std::max<LONG>(buttonSize_.cy, LabelSize(label).cy + 12);
            if (i == defaultIndex) defaultButton = buttonWindows_.back();
        }
        SendMessageW(window_, DM_SETDEFID, buttons_[defaultIndex].id, 0);
        if (content_.style & kMbDoNotShowAgain) {
            const std::wstring label = DoNotShowAgainLabel(module);
            check_ = AddControl(L"BUTTON", label, WS_TABSTOP | BS_AUTOCHECKBOX, kDoNotShowAgainControlId);
            checkSize_ = LabelSize(label);
            checkSize_.cx += GetSystemMetrics(SM_CXMENUCHECK) + kButtonGap;
            checkSize_.cy = std::max<LONG>(checkSize_.cy, GetSystemMetrics(SM_CYMENUCHECK)) + 4;
        }
        return defaultButton;
    }

    // Sizes the client area to the text and the controls and centres the box on its owner.
    void PlaceWindow(const RECT& work) {
        const SIZE text = layout_->Size();
        const int buttonsWidth = static_cast<int>(buttons_.size()) * (buttonSize_.cx + kButtonGap) - kButtonGap;
        const int width = std::max<int>({text.cx, buttonsWidth, checkSize_.cx}) + 2 * kMargin;
        MoveWindow(text_, kMargin, kMargin, text.cx, text.cy, FALSE);
        int y = kMargin + text.cy + kMargin;
        stripTop_ = y - kMargin / 2;
        if (check_) {
            MoveWindow(check_, kMargin, y, checkSize_.cx, checkSize_.cy, FALSE);
            y += checkSize_.cy + kButtonGap;
        }
        int x = (width - buttonsWidth) / 2;
        for (const HWND button : buttonWindows_) {
            MoveWindow(button, x, y, buttonSize_.cx, buttonSize_.cy, FALSE);
            x += buttonSize_.cx + kButtonGap;
        }
        RECT frame = {0, 0, width, y + buttonSize_.cy + kMargin};
        AdjustWindowRectEx(&frame, GetWindowLongW(window_, GWL_STYLE), FALSE, GetWindowLongW(window_, GWL_EXSTYLE));
        const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
        RECT around = work;
        const HWND owner = GetWindow(window_, GW_OWNER);
        if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
        int left = (around.left + around.right - frameWidth) / 2;
        int top = (around.top + around.bottom - frameHeight) / 2;
        left = std::max<int>(work.left, std::min<int>(left, work.right - frameWidth));
        top = std::max<int>(work.top, std::min<int>(top, work.bottom - frameHeight));
        SetWindowPos(window_, nullptr, left, top, frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void PaintBackground(HDC dc) const {
        RECT client = {};
        GetClientRect(window_, &client);
        RECT strip = client;
        strip.top = stripTop_;
        client.bottom = stripTop_;
        FillRect(dc, &client, GetSysColorBrush(content_.params.textBackground));
        FillRect(dc, &strip, GetSysColorBrush(content_.params.buttonBackground));
    }

    // The text goes through an off-screen bitmap so that it never flickers.
    void PaintText(const DRAWITEMSTRUCT& item) const {
        const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
        const UniqueMemoryDc memory(CreateCompatibleDC(item.hDC));
        const UniqueBitmap bitmap(CreateCompatibleBitmap(item.hDC, width, height));
        if (!memory || !bitmap) return;
        const SelectedObject selected(memory.Get(), bitmap.Get());
        RECT area = {0, 0, width, height};
        FillRect(memory.Get(), &area, GetSysColorBrush(content_.params.textBackground));
        layout_->Draw(memory.Get(), 0, 0, GetSysColor(COLOR_BTNTEXT));
        BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, memory.Get(), 0, 0, SRCCOPY);
    }

    bool HasButton(int id) const {
        return std::any_of(buttons_.begin(), buttons_.end(), [id](const MessageBoxButton& b) { return b.id == id; });
    }

    // Escape and the close box mean Cancel where there is one, or the only button.
    bool CanClose() const { return HasButton(IDCANCEL) || buttons_.size() == 1; }

    void OnCommand(int id) {
        if (id == IDCANCEL && !HasButton(IDCANCEL)) {
            if (!CanClose()) return;
            id = buttons_.front().id;
        }
        if (!HasButton(id)) return;
        if (check_ && SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED && content_.params.valueNameBase) {
            WriteRememberedAnswer(content_.params, id);
        }
        EndDialog(window_, id);
    }

    const MessageBoxContent& content_;
    const std::vector<MessageBoxButton> buttons_;
    HWND window_ = nullptr;
    HWND text_ = nullptr;
    HWND check_ = nullptr;
    std::vector<HWND> buttonWindows_;
    SIZE buttonSize_ = {0, 0};
    SIZE checkSize_ = {0, 0};
    int stripTop_ = 0;
    UniqueFont font_;
    UniqueMemoryDc measureDc_;
    std::unique_ptr<RichTextLayout> layout_;
};

// An empty dialog template: no menu, the default class, no title, no controls.
struct alignas(DWORD) EmptyDialogTemplate {
    DLGTEMPLATE dialog;
    WORD menu = 0, windowClass = 0, title = 0;
};

}  // namespace

int RunMessageBoxDialog(HWND owner, const MessageBoxContent& content) {
    EmptyDialogTemplate dialogTemplate = {};
    dialogTemplate.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (content.style & MB_SETFOREGROUND) dialogTemplate.dialog.style |= DS_SETFOREGROUND;
    dialogTemplate.dialog.dwExtendedStyle = WS_EX_DLGMODALFRAME | ((content.style & MB_TOPMOST) ? WS_EX_TOPMOST : 0);
    MessageBoxDialog dialog(content);
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.dialog, owner,
                                                   &MessageBoxDialog::Procedure, reinterpret_cast<LPARAM>(&dialog));
    return result > 0 ? static_cast<int>(result) : 0;
}
