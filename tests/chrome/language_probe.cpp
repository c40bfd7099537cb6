#include "language_probe.h"

#include <windows.h>

#include <cwchar>

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
    // Written aside and then renamed, so the waiting test never reads half a result.
    const std::wstring partial = std::wstring(path) + L".part";
    testsupport::WriteBytes(partial, result.data(), result.size() * sizeof(wchar_t));
    MoveFileW(partial.c_str(), path);
    ReleaseLanguageResources();
}

// Runs before the tests when the program was started as a probe, and ends the process.
const bool g_probeRan = [] {
    const wchar_t* argument = wcsstr(GetCommandLineW(), kProbeSwitch);
    if (!argument) return false;
    WriteProbeResult(argument + wcslen(kProbeSwitch));
    ExitProcess(0);
}();

}  // namespace

std::wstring RunLanguageProbe(const std::wstring& locale) {
    wchar_t resultPath[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, resultPath);
    wcscat(resultPath, (L"language_probe_" + std::to_wstring(GetCurrentProcessId()) + L".txt").c_str());
    DeleteFileW(resultPath);

    // Wine takes a process's languages from its Unix locale, which a Windows child inherits
    // from its parent whatever environment block it is given; so the probe is started as a
    // Unix program that sets the locale and runs this test program again.
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"/usr/bin/env LC_ALL=" + locale + L" LANG=" + locale + L" wine \"" + program +
                               L"\" " + kProbeSwitch + resultPath;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\env", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return L"<no child process>";
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // A Unix child cannot be waited for: wait for its result instead.
    for (int waited = 0; waited < 60000 && GetFileAttributesW(resultPath) == INVALID_FILE_ATTRIBUTES; waited += 100) {
        Sleep(100);
    }
    const std::string bytes = testsupport::ReadBytes(resultPath);
    DeleteFileW(resultPath);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}
