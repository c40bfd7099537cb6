#include "controller/controller.h"

#include "app/process_globals.h"
#include "ui/settings_dialogs.h"
#include "ui/messages.h"

void Controller::RunIntroduction() {
    if (ShowIntroductionDialog(g_process.mainWindow, options_)) OpenUserGuide(languageCode_);
}
