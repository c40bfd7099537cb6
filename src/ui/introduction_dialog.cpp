#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "ui/dialog_support.h"
#include "ui/settings_dialogs.h"

namespace {

class IntroductionDialog : public DialogSteps {
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
    INT_PTR OnOk(HWND dialog) {
        KeepDontShow(dialog);
        return IDOK;
    }
    INT_PTR OnCancel(HWND dialog) {
        KeepDontShow(dialog);
        return IDCANCEL;
    }

private:
    void KeepDontShow(HWND dialog) {
        const int32_t dontShow = IsChecked(dialog, IDC_DONT_ASK_AGAIN);
        if (dontShow == options_.dontShowIntroduction) return;
        options_.dontShowIntroduction = dontShow;
        WriteOptions(options_);
    }

    OptionRecord& options_;
};

}  // namespace

bool ShowIntroductionDialog(HWND owner, OptionRecord& options) {
    IntroductionDialog dialog(options);
    return RunModalDialog(owner, IDD_INTRODUCTION, dialog) == IDOK;
}
