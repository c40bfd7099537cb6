#include "controller/controller.h"

#include "base/program_names.h"
#include "settings/settings_loading.h"
#include "ui/messages.h"
#include "ui/resource_text.h"
#include "ui/tray_icon.h"

#include <cwchar>

Controller::Controller(StoredRecords& records, AlignmentModel& model) : records_(records), model_(model) {
    pointer_.input.Reset();
}

Controller::~Controller() {
    Shutdown();
}

bool Controller::LoadCoreParameters(const wchar_t* languageCode) {
    if (languageCode && *languageCode) {
        wcsncpy(texts_.languageCode, languageCode, kLanguageCodeLength - 1);
        texts_.languageCode[kLanguageCodeLength - 1] = L'\0';
    }
    const RequiredFileLoad load = LoadCoreParameterFile(records_.coreParameters);
    if (!load.Succeeded()) {
        ShowFileError(load.fileName);
        return false;
    }
    SetMessageTitle(records_.coreParameters.productName);
    return true;
}

const wchar_t* Controller::ModeText(Mode mode) const {
    const int index = static_cast<int>(mode);
    return index >= 0 && index < kModeCount ? texts_.modes[index] : L"";
}

bool Controller::TakeSensorLoss() {
    if (!sensor_.device.CheckDeviceLost()) return false;
    HoldFrames();
    ReleaseHeldButton();
    return true;
}

void Controller::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    handOff_.paused = true;
    WaitForFrameStep();
    pointer_.mouseSaver.Restore();
    if (model_.screenCorrection.modified) SaveScreenCorrection(model_.screenCorrection);
    StopSettleWait();
    tray_.icon.reset();
    // The picture controls go back to their minimum, as the sensor is left for the next start.
    sensor_.device.Properties().ResetVideoProcAmp();
    sensor_.device.Close();
    // With the frames stopped nothing can press again; a held button must not outlive us.
    ReleaseHeldButton();
    gainOverlay_.Reset();
    UnregisterClassW(kGainOverlayClassName, ExecutableModule());
}
