#include "ui/message_box_answers.h"

#include "base/unique_handle.h"
#include "ui/html_message_box.h"
#include "ui/text_format.h"

std::wstring RememberedAnswerKey(const MessageBoxParams& params) {
    const wchar_t* application = params.applicationName ? params.applicationName : L"";
    if (params.companyName && *params.companyName) {
        return FormatText(L"Software\\%s\\%s\\%s", {params.companyName, application, L"TavroMB"});
    }
    return FormatText(L"Software\\%s\\%s", {application, L"TavroMB"});
}

std::wstring RememberedAnswerValueName(const MessageBoxParams& params) {
    return FormatText(L"%s%d", {params.valueNameBase, params.valueNumber});
}

int ReadRememberedAnswer(const MessageBoxParams& params) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RememberedAnswerKey(params).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return 0;
    }
    const UniqueRegistryKey key(opened);
    DWORD type = 0, value = 0, size = sizeof value;
    const LSTATUS status = RegQueryValueExW(key.Get(), RememberedAnswerValueName(params).c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
    return static_cast<int>(value);
}

void WriteRememberedAnswer(const MessageBoxParams& params, int answer) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RememberedAnswerKey(params).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const UniqueRegistryKey key(created);
    const DWORD value = static_cast<DWORD>(answer);
    RegSetValueExW(key.Get(), RememberedAnswerValueName(params).c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&value), sizeof value);
}
