#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/dialog_support.h"
#include "settings/settings_dialogs.h"

namespace {

class IntroductionDialog {
public:
    explicit IntroductionDialog(OptionRecord& options) : options_(options) {}

    void OnInit(HWND dialog) {
        SetMainIcon(dialog);
        SetDialogTexts(dialog, IDS_INTRO_TITLE,
                       {{IDC_INTRO_TEXT, IDS_INTRO_TEXT},
                        {IDC_DONT_ASK_AGAIN, IDS_DONT_ASK_AGAIN},
                        {IDOK, IDS_INTRO_OPEN},
                        {IDCANCEL, IDS_BUTTON_EXIT}});
        SetChecked(dialog, IDC_DONT_ASK_AGAIN, options_.dontShowIntroduction != 0);
    }

    // Open, Exit and the close box all keep the check box.
    INT_PTR OnCommand(HWND dialog, int id, int) {
        if (id != IDOK && id != IDCANCEL) return FALSE;
        const int32_t dontShow = IsChecked(dialog, IDC_DONT_ASK_AGAIN);
        if (dontShow != options_.dontShowIntroduction) {
            options_.dontShowIntroduction = dontShow;
            WriteOptions(options_);
        }
        EndDialog(dialog, id);
        return TRUE;
    }

private:
    OptionRecord& options_;
};

}  // namespace

bool ShowIntroductionDialog(HWND owner, OptionRecord& options) {
    IntroductionDialog dialog(options);
    return RunModalDialog(owner, IDD_INTRODUCTION, dialog) == IDOK;
}
