#include "app/entry_sequence.h"

#include "app/application.h"
#include "app/process_globals.h"
#include "ui/language_library.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

// Settings files are opened by bare name, so they are found next to the executable.
void EnterExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    wchar_t* lastBackslash = wcsrchr(path, L'\\');
    if (!lastBackslash) return;
    lastBackslash[1] = L'\0';
    SetCurrentDirectoryW(path);
}

// Everything from the core parameters on, with the user's language resources in place.
int RunInLanguage(Application& application) {
    if (!application.GetController().LoadCoreParameters(ProcessLanguageLibrary().Abbreviation())) return 0;
    SetProcessShutdownParameters(0xF0, SHUTDOWN_NORETRY);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    InitCommonControls();
    const int exitCode = application.CreateMainWindow() ? Application::RunMessageLoop() : 0;
    CoUninitialize();
    return exitCode;
}

int RunApplication(Application& application) {
    if (Application::CheckSingleInstance()) return 0;
    EnterExecutableFolder();
    SetLastError(0);
    LoadLanguageResources();
    const int exitCode = RunInLanguage(application);
    ReleaseLanguageResources();
    return exitCode;
}

}  // namespace

int RunProgram(HINSTANCE instance) {
    g_process.executableInstance = instance;
    g_process.resourceModule = instance;
    Application application;
    return RunApplication(application);
}
