#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/auto_run.h"
#include "ui/dialog_support.h"
#include "ui/settings_dialogs.h"

namespace {

class CommonSettingDialog : public DialogSteps {
public:
    explicit CommonSettingDialog(OptionRecord& options) : options_(options) {}

    void OnInit(HWND dialog) {
        SetDialogTexts(dialog, IDS_COMMON_TITLE,
                       {{IDC_COMMON_GROUP, IDS_COMMON_GROUP},
                        {IDC_COMMON_AUTORUN, IDS_COMMON_AUTORUN},
                        {IDC_COMMON_KEEP_ALIGNMENT, IDS_COMMON_KEEP_ALIGNMENT},
                        {IDC_COMMON_MINIMIZE_TO_TRAY, IDS_COMMON_MINIMIZE_TO_TRAY},
                        {IDOK, IDS_BUTTON_OK},
                        {IDCANCEL, IDS_BUTTON_CANCEL}});
        SetChecked(dialog, IDC_COMMON_AUTORUN, IsAutoRunSet());
        SetChecked(dialog, IDC_COMMON_KEEP_ALIGNMENT, options_.skipAlignmentWhenAligned != 0);
        SetChecked(dialog, IDC_COMMON_MINIMIZE_TO_TRAY, options_.minimizeToTray != 0);
    }

    INT_PTR OnOk(HWND dialog) {
        options_.minimizeToTray = IsChecked(dialog, IDC_COMMON_MINIMIZE_TO_TRAY);
        options_.skipAlignmentWhenAligned = IsChecked(dialog, IDC_COMMON_KEEP_ALIGNMENT);
        if (IsChecked(dialog, IDC_COMMON_AUTORUN)) {
            SetAutoRun();
        } else {
            ClearAutoRun();
        }
        WriteOptions(options_);
        return IDOK;
    }

private:
    OptionRecord& options_;
};

}  // namespace

void ShowCommonSettingDialog(HWND owner, OptionRecord& options) {
    CommonSettingDialog dialog(options);
    RunModalDialog(owner, IDD_COMMON_SETTING, dialog);
}
