#include "ui/message_box_buttons.h"

#include "resources/resource_ids.h"
#include "ui/resource_text.h"

namespace {

const MessageBoxButton kOk = {IDOK, IDS_BUTTON_OK, L"OK"};
const MessageBoxButton kCancel = {IDCANCEL, IDS_BUTTON_CANCEL, L"Cancel"};
const MessageBoxButton kAbort = {IDABORT, IDS_BUTTON_ABORT, L"Abort"};
const MessageBoxButton kRetry = {IDRETRY, IDS_BUTTON_RETRY, L"Retry"};
const MessageBoxButton kIgnore = {IDIGNORE, IDS_BUTTON_IGNORE, L"Ignore"};
const MessageBoxButton kYes = {IDYES, IDS_BUTTON_YES, L"Yes"};
const MessageBoxButton kNo = {IDNO, IDS_BUTTON_NO, L"No"};
const MessageBoxButton kTryAgain = {IDTRYAGAIN, IDS_BUTTON_TRY_AGAIN, L"Try again"};
const MessageBoxButton kContinue = {IDCONTINUE, IDS_BUTTON_CONTINUE, L"Continue"};

}  // namespace

std::vector<MessageBoxButton> ButtonsFor(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {kOk, kCancel};
    case MB_ABORTRETRYIGNORE: return {kAbort, kRetry, kIgnore};
    case MB_YESNOCANCEL: return {kYes, kNo, kCancel};
    case MB_YESNO: return {kYes, kNo};
    case MB_RETRYCANCEL: return {kRetry, kCancel};
    case MB_CANCELTRYCONTINUE: return {kCancel, kTryAgain, kContinue};
    default: return {kOk};
    }
}

std::wstring ButtonLabel(HINSTANCE module, const MessageBoxButton& button) {
    std::wstring label = LoadModuleText(module, button.stringId);
    return label.empty() ? button.defaultLabel : label;
}

std::wstring DoNotShowAgainLabel(HINSTANCE module) {
    return ButtonLabel(module, {0, IDS_DO_NOT_SHOW_AGAIN, L"Do not show again"});
}
