#include "ui/html_message_box.h"

#include "ui/message_box_answers.h"
#include "ui/message_box_dialog.h"
#include "ui/text_format.h"

namespace {

HICON StandardIcon(UINT style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return LoadIconW(nullptr, IDI_ERROR);
    case MB_ICONQUESTION: return LoadIconW(nullptr, IDI_QUESTION);
    case MB_ICONEXCLAMATION: return LoadIconW(nullptr, IDI_WARNING);
    case MB_ICONASTERISK: return LoadIconW(nullptr, IDI_INFORMATION);
    default: return nullptr;
    }
}

std::wstring CaptionFor(const wchar_t* caption, HWND owner) {
    if (caption && *caption) return caption;
    wchar_t title[kTextCapacity] = {};
    if (owner && GetWindowTextW(owner, title, kTextCapacity) > 0) return title;
    return L"Error";
}

}  // namespace

std::wstring MessageBoxMarkup(const std::wstring& text, UINT style, const MessageBoxParams& params) {
    std::wstring markup = text;
    if (style & MB_RIGHT) markup = L"<right>" + markup + L"</right>";
    const HICON icon = params.customIcon ? params.customIcon : StandardIcon(style);
    if (icon) {
        markup = FormatText(L"<table cellpadding=%d><tr><td width=%d><icon handle=0x%X></td><td>%s</td></tr></table>",
                            {params.spacing, GetSystemMetrics(SM_CXICON),
                             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon)), markup},
                            markup.size() + 128);
    }
    return markup;
}

int HtmlMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style,
                   const MessageBoxParams* params) {
    MessageBoxContent content;
    if (params) {
        content.params = *params;
    } else if ((style & MB_ICONMASK) == 0) {
        style |= MB_ICONEXCLAMATION;
    }
    if (!owner || !IsWindow(owner)) owner = GetLastActivePopup(GetActiveWindow());
    const bool remembers = (style & kMbDoNotShowAgain) && content.params.valueNameBase;
    if (remembers) {
        const int answer = ReadRememberedAnswer(content.params);
        if (answer != 0) return answer;
    }
    if (!(style & kMbNoBeep)) MessageBeep(style & MB_ICONMASK);
    content.text = text ? text : L"";
    content.caption = CaptionFor(caption, owner);
    content.style = remembers ? style : style & ~kMbDoNotShowAgain;
    content.markup = MessageBoxMarkup(content.text, style, content.params);
    return RunMessageBoxDialog(owner, content);
}
