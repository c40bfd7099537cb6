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
    if (!trayIconMade_) {
        trayIconMade_ = true;
        return CreateTrayIcon();
    }
    return !trayIcon_ || InPlace(*trayIcon_);
}

bool Controller::CreateTrayIcon() {
    trayIcon_ = std::make_unique<TrayIcon>();
    const bool placed = PlaceProgramTrayIcon(trayIcon_, mainWindow_, coreParameters_.productName, MainIcon());
    if (trayIcon_) trayIcon_->SetTrackingQuery([this] { return modes_.mode == Mode::Track; });
    return placed;
}

void Controller::OnTrayCallback(WPARAM iconId, LPARAM mouseMessage) {
    if (trayIcon_) trayIcon_->OnTrayNotification(iconId, mouseMessage);
}

void Controller::ShowSlowSensorBalloon() {
    if (!trayIcon_) return;
    trayIcon_->ShowBalloon(LoadText(IDS_PROMPT_SENSOR_SLOW).c_str(), coreParameters_.productName,
                           NIIF_NONE, kSlowSensorBalloonSeconds);
}
