#include "controller/controller.h"

#include "ui/settings_dialogs.h"
#include "ui/messages.h"

void Controller::RunIntroduction() {
    if (ShowIntroductionDialog(mainWindow_, records_.options)) OpenUserGuide(texts_.languageCode);
}
