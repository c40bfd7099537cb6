#include "controller/controller.h"

#include "base/program_names.h"
#include "controller/gain_overlay.h"
#include "controller/open_sensor_at_startup.h"
#include "settings/settings_loading.h"
#include "ui/messages.h"
#include "ui/resource_text.h"

bool Controller::Initialize() {
    LoadTexts();
    TakeBoardOrientation();
    LoadOptionFile(options_);
    LoadAlignmentResultFile(alignmentResult_);
    displayAspect_.autoDetect = 1;
    if (options_.gainLevel == 0) options_.gainLevel = 3;
    if (options_.trackGainLevel == 0) options_.trackGainLevel = 3;
    gainLevel_ = options_.gainLevel;
    trackGainLevel_ = options_.trackGainLevel;
    screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = GetSystemMetrics(SM_CYSCREEN);

    const RequiredFileLoad layout = LoadChessboardLayoutFile(chessboardLayout_);
    if (!layout.Succeeded()) {
        ShowFileError(layout.fileName);
        return false;
    }
    LoadDisplayAspectFile(displayAspect_, screenWidth_, screenHeight_);
    if (!InitializeAlignment()) return false;
    if (!CreateGainOverlay()) {
        ShowSystemError(GetLastError());
        return false;
    }
    const SensorIdentity identity{coreParameters_.sensorVidPid, coreParameters_.sensorUserName,
                                  coreParameters_.sensorDefName};
    if (!OpenSensorAtStartup(sensor_, identity)) return false;

    settleWait_.CountFrames(60);
    SetWindowTextW(mainWindow_, coreParameters_.productName);
    return true;
}

void Controller::TakeBoardOrientation() {
    const bool portrait = GetSystemMetrics(SM_CXSCREEN) < GetSystemMetrics(SM_CYSCREEN);
    pattern_.SetGrid(portrait ? 5 : 7, portrait ? 7 : 5);
    boardMiddleColumn_ = portrait ? 2 : 3;
    boardMiddleRow_ = pattern_.Rows() % 2 == 1 ? pattern_.Rows() / 2 : -1;
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
