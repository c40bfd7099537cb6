#include "settings/auto_run.h"

#include "base/unique_handle.h"

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"TavroPen";

std::wstring ExecutablePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

}  // namespace

std::wstring AutoRunCommand(const std::wstring& executablePath) {
    return L'"' + executablePath + L'"';
}

bool IsAutoRunSet() {
    HKEY opened = nullptr;
    if (RegOpenKeyW(HKEY_CURRENT_USER, kRunKey, &opened) != ERROR_SUCCESS) return false;
    UniqueRegistryKey key(opened);
    return RegQueryValueExW(key.Get(), kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool SetAutoRun() {
    const std::wstring path = ExecutablePath();
    if (path.empty()) return false;
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    UniqueRegistryKey key(created);
    const std::wstring command = AutoRunCommand(path);
    const DWORD bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                          bytes) == ERROR_SUCCESS;
}

bool ClearAutoRun() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return true;
    UniqueRegistryKey key(opened);
    const LSTATUS status = RegDeleteValueW(key.Get(), kValueName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
