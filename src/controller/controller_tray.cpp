#include "controller/controller.h"

#include "resources/resource_ids.h"
#include "ui/resource_text.h"
#include "ui/tray_icon.h"
#include "ui/tray_placement.h"

namespace {

constexpr UINT kSlowSensorBalloonSeconds = 10;

// Places an icon that is not in the notification area; true when it is there afterwards.
bool InPlace(TrayIcon& icon) {
    return icon.IsShown() || icon.Show();
}

}  // namespace

bool Controller::TrayIconInPlace() {
    if (!tray_.made) {
        tray_.made = true;
        return CreateTrayIcon();
    }
    return !tray_.icon || InPlace(*tray_.icon);
}

bool Controller::CreateTrayIcon() {
    tray_.icon = std::make_unique<TrayIcon>();
    const bool placed = PlaceProgramTrayIcon(tray_.icon, mainWindow_, records_.coreParameters.productName, MainIcon());
    if (tray_.icon) tray_.icon->SetTrackingQuery([this] { return modes_.mode == Mode::Track; });
    return placed;
}

void Controller::OnTrayCallback(WPARAM iconId, LPARAM mouseMessage) {
    if (tray_.icon) tray_.icon->OnTrayNotification(iconId, mouseMessage);
}

void Controller::ShowSlowSensorBalloon() {
    if (!tray_.icon) return;
    tray_.icon->ShowBalloon(LoadText(IDS_PROMPT_SENSOR_SLOW).c_str(), records_.coreParameters.productName,
                           NIIF_NONE, kSlowSensorBalloonSeconds);
}
