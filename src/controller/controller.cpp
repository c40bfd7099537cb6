#include "controller/controller.h"

#include "base/program_names.h"
#include "settings/settings_loading.h"
#include "ui/messages.h"
#include "ui/resource_text.h"
#include "ui/tray_icon.h"

#include <cwchar>

Controller::Controller()
    : options_(DefaultOptions()),
      coreParameters_(DefaultCoreParameters()),
      alignmentResult_(DefaultAlignmentResult()),
      chessboardLayout_(DefaultChessboardLayout()),
      displayAspect_(DefaultDisplayAspect()) {
    pointer_.Reset();
}

Controller::~Controller() {
    Shutdown();
}

bool Controller::LoadCoreParameters(const wchar_t* languageCode) {
    if (languageCode && *languageCode) {
        wcsncpy(languageCode_, languageCode, kLanguageCodeLength - 1);
        languageCode_[kLanguageCodeLength - 1] = L'\0';
    }
    const RequiredFileLoad load = LoadCoreParameterFile(coreParameters_);
    if (!load.Succeeded()) {
        ShowFileError(load.fileName);
        return false;
    }
    SetMessageTitle(coreParameters_.productName);
    return true;
}

const wchar_t* Controller::ModeText(Mode mode) const {
    const int index = static_cast<int>(mode);
    return index >= 0 && index < kModeCount ? modeTexts_[index] : L"";
}

void Controller::SetPaused(bool on) {
    if (on) {
        pausedSaved_ = paused_;
        paused_ = true;
        WaitForFrameStep();
    } else {
        paused_ = pausedSaved_;
    }
}

bool Controller::HoldFrames() {
    const bool wasHeld = paused_.exchange(true);
    WaitForFrameStep();
    return wasHeld;
}

void Controller::SetPainting(bool on) {
    painting_ = on;
    if (on) WaitForFrameStep();
}

bool Controller::TakeSensorLoss() {
    if (!sensor_.CheckDeviceLost()) return false;
    HoldFrames();
    ReleaseHeldButton();
    return true;
}

void Controller::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    paused_ = true;
    WaitForFrameStep();
    mouseSaver_.Restore();
    if (screenCorrection_.modified) SaveScreenCorrection(screenCorrection_);
    StopSettleWait();
    trayIcon_.reset();
    // The picture controls go back to their minimum, as the sensor is left for the next start.
    sensor_.Properties().ResetVideoProcAmp();
    sensor_.Close();
    // With the frames stopped nothing can press again; a held button must not outlive us.
    ReleaseHeldButton();
    gainOverlay_.Reset();
    UnregisterClassW(kGainOverlayClassName, ExecutableModule());
}
