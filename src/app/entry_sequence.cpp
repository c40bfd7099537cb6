#include "app/entry_sequence.h"

#include "app/application.h"
#include "base/com_apartment.h"
#include "ui/language_library.h"
#include "ui/messages.h"

#include <commctrl.h>

#include <optional>

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

}  // namespace

int RunProgram() {
    if (Application::CheckSingleInstance()) return 0;
    EnterExecutableFolder();
    SetLastError(0);
    // Each of these ends only after the ones below it: the main window's class belongs to the
    // language library, and the Application's Controller holds COM pointers.
    const LanguageResources language;
    std::optional<ComApartment> com;
    Application application;
    if (!application.GetController().LoadCoreParameters(ProcessLanguageLibrary().Abbreviation())) return 0;
    SetProcessShutdownParameters(0xF0, SHUTDOWN_NORETRY);
    com.emplace();
    if (!com->Started()) {
        ShowSystemError(static_cast<DWORD>(com->Result()));
        return 0;
    }
    InitCommonControls();
    return application.CreateMainWindow() ? Application::RunMessageLoop() : 0;
}
