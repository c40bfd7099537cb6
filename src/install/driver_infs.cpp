#include "install/driver_infs.h"

#include "install/driver_files.h"
#include "install/driver_package.h"
#include "base/setup_handles.h"

#include <functional>

namespace {

// Whether a line of the INF's model section belongs to the sensor.
bool InfBelongsToSensor(DriverContext& context, const std::wstring& infPath) {
    UniqueInf inf(SetupOpenInfFileW(infPath.c_str(), nullptr, INF_STYLE_WIN4, nullptr));
    if (!inf) return false;
    INFCONTEXT line;
    for (BOOL more = SetupFindFirstLineW(inf.Get(), kDriverInfSection, nullptr, &line); more;
         more = SetupFindNextLine(&line, &line)) {
        DWORD needed = 0;
        if (!SetupGetLineTextW(&line, nullptr, nullptr, nullptr, nullptr, 0, &needed)) continue;
        context.lineBuffer.resize(needed + 1);
        if (SetupGetLineTextW(&line, nullptr, nullptr, nullptr, context.lineBuffer.data(),
                              needed + 1, nullptr) &&
            InfLineBelongsToSensor(context.lineBuffer.data(), context.vidPid)) {
            return true;
        }
    }
    return false;
}

// Calls visit with the full path of each of the sensor's INFs in the store, in file search
// order, until visit returns true.
void VisitSensorInfs(DriverContext& context, const std::function<bool(const std::wstring&)>& visit) {
    if (context.windowsDirectory.empty()) return;
    const std::wstring pattern = context.windowsDirectory + kInfStorePattern;
    const std::wstring folder = pattern.substr(0, pattern.rfind(L'\\') + 1);
    WIN32_FIND_DATAW found;
    UniqueFileSearch search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return;
    do {
        const std::wstring infPath = folder + found.cFileName;
        if (InfBelongsToSensor(context, infPath) && visit(infPath)) return;
    } while (FindNextFileW(search.Get(), &found));
}

}  // namespace

DriverState InfStateOf(DriverContext& context) {
    DriverState state = DriverState::NotInstalled;
    VisitSensorInfs(context, [&](const std::wstring& infPath) {
        state = FileExists(PnfPathFor(infPath)) ? DriverState::Installed : DriverState::PartlyInstalled;
        return true;
    });
    return state;
}

void DeleteSensorInfs(DriverContext& context) {
    VisitSensorInfs(context, [](const std::wstring& infPath) {
        DeleteFileW(infPath.c_str());
        DeleteFileW(PnfPathFor(infPath).c_str());
        return false;
    });
}
