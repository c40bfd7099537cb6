#include "app/interim_messages.h"

#include "app/process_globals.h"

#include <cwchar>

namespace {

constexpr int kSystemErrorId = 10001;
constexpr int kFileErrorId = 10003;
constexpr int kExitTextId = 10050;
constexpr int kCloseQuestionId = 10060;
constexpr size_t kTextLength = 260;
constexpr size_t kMessageLength = 2048;

struct Text {
    wchar_t chars[kTextLength] = {};
};

Text Load(int id) {
    Text text;
    LoadStringW(g_process.resourceModule, static_cast<UINT>(id), text.chars, kTextLength);
    return text;
}

int Show(const wchar_t* text, UINT style) {
    return MessageBoxW(g_process.mainWindow, text, nullptr, style | MB_TOPMOST);
}

void ShowSystemErrorWith(const wchar_t* middle) {
    wchar_t message[kMessageLength];
    if (middle && *middle) {
        swprintf(message, kMessageLength, L"#%d\n\n%ls\n\n%ls\n\n%ls", kSystemErrorId,
                 Load(kSystemErrorId).chars, middle, Load(kExitTextId).chars);
    } else {
        swprintf(message, kMessageLength, L"#%d\n\n%ls\n\n%ls", kSystemErrorId,
                 Load(kSystemErrorId).chars, Load(kExitTextId).chars);
    }
    Show(message, MB_ICONERROR);
}

}  // namespace

void ShowFileMessage(const wchar_t* fileName) {
    wchar_t message[kMessageLength];
    swprintf(message, kMessageLength, L"#%d\n[ %ls]\n\n%ls\n\n%ls", kFileErrorId, fileName,
             Load(kFileErrorId).chars, Load(kExitTextId).chars);
    Show(message, MB_ICONERROR);
}

void ShowSystemErrorText(const wchar_t* middleText) {
    ShowSystemErrorWith(middleText);
}

void ShowSystemError(DWORD errorCode) {
    wchar_t* systemText = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&systemText), 0, nullptr);
    ShowSystemErrorWith(systemText);
    LocalFree(systemText);
}

void ShowFatalMessage(int id) {
    wchar_t message[kMessageLength];
    swprintf(message, kMessageLength, L"#%d\n\n%ls\n\n%ls", id, Load(id).chars,
             Load(kExitTextId).chars);
    Show(message, MB_ICONERROR);
}

void ShowNumberedMessage(int id, UINT icon) {
    wchar_t message[kMessageLength];
    swprintf(message, kMessageLength, L"#%d\n\n%ls", id, Load(id).chars);
    Show(message, icon);
}

void ShowPlainMessage(int id, UINT icon) {
    Show(Load(id).chars, icon);
}

bool AskCloseNow(const wchar_t* productName) {
    wchar_t message[kMessageLength];
    swprintf(message, kMessageLength, Load(kCloseQuestionId).chars, productName);
    return Show(message, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}
