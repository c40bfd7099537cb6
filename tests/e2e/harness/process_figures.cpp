#include "harness/process_figures.h"

#include <psapi.h>

#include "base/unique_handle.h"

bool MeasureProcess(DWORD processId, ProcessFigures* figures) {
    UniqueHandle<HANDLE, KernelHandleCloser> process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return false;
    GetProcessHandleCount(process.Get(), &figures->handles);
    figures->gdiObjects = GetGuiResources(process.Get(), GR_GDIOBJECTS);
    figures->userObjects = GetGuiResources(process.Get(), GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        figures->privateBytes = memory.PrivateUsage;
    return true;
}
