#include "harness/virtual_desktop.h"

#include <windows.h>

#include <fstream>

#include "base/unique_handle.h"

namespace {

constexpr char kResultVariable[] = "TAVRO_E2E_RESULT_FILE";

std::string ResultFile() {
    char path[MAX_PATH] = {};
    return GetEnvironmentVariableA(kResultVariable, path, MAX_PATH) ? path : "";
}

}  // namespace

bool InVirtualDesktop() { return !ResultFile().empty(); }

void RunInVirtualDesktop(const std::string& name, DWORD timeoutMs, Report& report) {
    char self[MAX_PATH] = {}, folder[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string result = std::string(folder) + "\\virtual_desktop_result.txt";
    DeleteFileA(result.c_str());
    std::string command = "explorer.exe /desktop=TavroFaults,1024x768 \"" + std::string(self) + "\" " + name;
    SetEnvironmentVariableA(kResultVariable, result.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process) != FALSE;
    SetEnvironmentVariableA(kResultVariable, nullptr);
    if (!report.Check(started, "virtual_desktop_started")) return;
    UniqueHandle<HANDLE, KernelHandleCloser> explorer(process.hProcess);
    CloseHandle(process.hThread);
    // Explorer stays while its desktop has windows; the result file says the run is over.
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetFileAttributesA(result.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < end) Sleep(200);
    Sleep(300);
    std::ifstream in(result);
    std::string line;
    if (!report.Check(static_cast<bool>(std::getline(in, line)), "virtual_desktop_result")) return;
    report.Include(line);
}

void HandOverResult(const std::string& line) {
    const std::string path = ResultFile();
    if (path.empty()) return;
    const std::string partial = path + ".new";
    {
        std::ofstream out(partial);
        out << line << "\n";
    }
    MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}
