#include "controller/controller.h"

#include "base/notifications.h"
#include "resources/resource_ids.h"
#include "ui/messages.h"
#include "ui/resource_text.h"
#include "ui/tray_icon.h"

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
    HWND main = mainWindow_;
    auto icon = std::make_unique<TrayIcon>();
    const bool added = icon->Create(ExecutableModule(), main, kTrayCallbackMessage,
                                    coreParameters_.productName, MainIcon(), IDR_TRAY_MENU,
                                    false, nullptr, nullptr, 0, 0);
    if (!icon->IsTraySupported()) {
        icon.reset();
        ShowTrayIconFailure();
        return true;
    }
    icon->SetTargetWindow(main);
    icon->SetDefaultMenuItem(IDM_RESTORE, false);
    icon->SetTrackingQuery([this] { return modes_.mode == Mode::Track; });
    trayIcon_ = std::move(icon);
    return added;
}

void Controller::OnTrayCallback(WPARAM iconId, LPARAM mouseMessage) {
    if (trayIcon_) trayIcon_->OnTrayNotification(iconId, mouseMessage);
}

void Controller::ShowSlowSensorBalloon() {
    if (!trayIcon_) return;
    trayIcon_->ShowBalloon(LoadText(IDS_PROMPT_SENSOR_SLOW).c_str(), coreParameters_.productName,
                           NIIF_NONE, kSlowSensorBalloonSeconds);
}
