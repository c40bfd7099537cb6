#include "controller/controller.h"

#include "base/program_names.h"
#include "controller/gain_overlay.h"
#include "controller/open_sensor_at_startup.h"
#include "settings/settings_loading.h"
#include "ui/messages.h"
#include "ui/resource_text.h"

void Controller::AttachWindow(HWND main) {
    mainWindow_ = main;
    // The texts come from the language library the window was made with.
    if (main) LoadTexts();
}

bool Controller::Initialize() {
    TakeBoardOrientation();
    LoadOptionFile(records_.options);
    LoadAlignmentResultFile(records_.alignmentResult);
    records_.displayAspect.autoDetect = 1;
    if (records_.options.gainLevel == 0) records_.options.gainLevel = 3;
    if (records_.options.trackGainLevel == 0) records_.options.trackGainLevel = 3;
    gainLevel_ = records_.options.gainLevel;
    trackGainLevel_ = records_.options.trackGainLevel;
    status_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    status_.screenHeight = GetSystemMetrics(SM_CYSCREEN);

    const RequiredFileLoad layout = LoadChessboardLayoutFile(records_.chessboardLayout);
    if (!layout.Succeeded()) {
        ShowFileError(layout.fileName);
        return false;
    }
    LoadDisplayAspectFile(records_.displayAspect, status_.screenWidth, status_.screenHeight);
    if (!InitializeAlignment()) return false;
    if (!CreateGainOverlay()) {
        ShowSystemError(GetLastError());
        return false;
    }
    const SensorIdentity identity{records_.coreParameters.sensorVidPid, records_.coreParameters.sensorUserName,
                                  records_.coreParameters.sensorDefName};
    if (!OpenSensorAtStartup(sensor_.device, identity)) return false;

    settleWait_.CountFrames(60);
    SetWindowTextW(mainWindow_, records_.coreParameters.productName);
    return true;
}

void Controller::TakeBoardOrientation() {
    const bool portrait = GetSystemMetrics(SM_CXSCREEN) < GetSystemMetrics(SM_CYSCREEN);
    model_.pattern.SetGrid(portrait ? 5 : 7, portrait ? 7 : 5);
}

bool Controller::CreateGainOverlay() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = GainOverlayProcedure;
    windowClass.hInstance = ExecutableModule();
    // The overlay is up only while the gain is found: the pointer shows the wait over it.
    windowClass.hCursor = LoadCursorW(nullptr, IDC_WAIT);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kGainOverlayClassName;
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    gainOverlay_.Reset(CreateWindowExW(WS_EX_TOPMOST, kGainOverlayClassName, L"", WS_POPUP, 0, 0,
                                       GetSystemMetrics(SM_CXSCREEN),
                                       GetSystemMetrics(SM_CYSCREEN), mainWindow_,
                                       nullptr, ExecutableModule(), nullptr));
    return static_cast<bool>(gainOverlay_);
}
