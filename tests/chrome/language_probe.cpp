#include "language_probe.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "dialog_driver.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/settings_dialogs.h"
#include "test_support.h"
#include "ui/language_library.h"
#include "ui/resource_text.h"

namespace {

constexpr wchar_t kProbeSwitch[] = L"--language-probe=";

void WriteProbeResult(const wchar_t* path) {
    LoadLanguageResources();
    std::wstring title;
    std::wstring autoRun;
    {
        DialogDriver driver([&](HWND dialog) {
            title = WindowText(dialog);
            autoRun = ControlText(dialog, IDC_COMMON_AUTORUN);
            Click(dialog, IDCANCEL);
        });
        OptionRecord options = DefaultOptions();
        ShowCommonSettingDialog(nullptr, options);
    }
    const LanguageLibrary& library = ProcessLanguageLibrary();
    const std::wstring result = std::wstring(library.Abbreviation()) + L"\n" + library.FileName() + L"\n" + title +
                                L"\n" + autoRun + L"\n" + LoadText(IDS_NO_TRAY_ICON) + L"\n";
    testsupport::WriteBytes(path, result.data(), result.size() * sizeof(wchar_t));
    ReleaseLanguageResources();
}

// Runs before the tests when the program was started as a probe, and ends the process.
const bool g_probeRan = [] {
    const wchar_t* argument = wcsstr(GetCommandLineW(), kProbeSwitch);
    if (!argument) return false;
    WriteProbeResult(argument + wcslen(kProbeSwitch));
    ExitProcess(0);
}();

std::vector<wchar_t> EnvironmentWith(const std::wstring& assignment) {
    std::vector<wchar_t> block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        if (wcsncmp(entry, L"LANG=", 5) == 0 || wcsncmp(entry, L"LC_", 3) == 0) continue;
        block.insert(block.end(), entry, entry + wcslen(entry) + 1);
    }
    FreeEnvironmentStringsW(strings);
    block.insert(block.end(), assignment.begin(), assignment.end());
    block.push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

}  // namespace

std::wstring RunLanguageProbe(const std::wstring& languageEnvironment) {
    wchar_t resultPath[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, resultPath);
    wcscat(resultPath, (L"language_probe_" + std::to_wstring(GetCurrentProcessId()) + L".txt").c_str());
    DeleteFileW(resultPath);

    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " + kProbeSwitch + resultPath;
    std::vector<wchar_t> environment = EnvironmentWith(languageEnvironment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), nullptr, &startup, &process)) {
        return L"<no child process>";
    }
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string bytes = testsupport::ReadBytes(resultPath);
    DeleteFileW(resultPath);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}
