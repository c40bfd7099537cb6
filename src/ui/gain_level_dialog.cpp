#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "ui/dialog_support.h"
#include "ui/settings_dialogs.h"

namespace {

constexpr int kHighestGainLevel = IDC_GAIN_LAST - IDC_GAIN_LEVEL_BASE;

class GainLevelDialog : public DialogSteps {
public:
    explicit GainLevelDialog(OptionRecord& options) : options_(options) {}

    void OnInit(HWND dialog) {
        CheckRadioButton(dialog, IDC_GAIN_LOW, IDC_GAIN_LAST, IDC_GAIN_LEVEL_BASE + options_.trackGainLevel);
        CheckRadioButton(dialog, IDC_GAIN_AUTO, IDC_GAIN_MANUAL, IDC_GAIN_AUTO + options_.manualAlignmentByDefault);
        SetChecked(dialog, IDC_DONT_ASK_AGAIN, options_.dontAskGainLevel != 0);
        SetDialogTexts(dialog, IDS_GAIN_TITLE,
                       {{IDC_GAIN_GROUP, IDS_GAIN_GROUP},
                        {IDC_GAIN_LOW, IDS_GAIN_LOW},
                        {IDC_GAIN_MEDIUM, IDS_GAIN_MEDIUM},
                        {IDC_GAIN_HIGH, IDS_GAIN_HIGH},
                        {IDC_DONT_ASK_AGAIN, IDS_DONT_ASK_AGAIN},
                        {IDOK, IDS_BUTTON_OK},
                        {IDCANCEL, IDS_BUTTON_CANCEL}});
    }

    INT_PTR OnOk(HWND dialog) {
        for (int level = 1; level <= kHighestGainLevel; ++level) {
            if (IsChecked(dialog, IDC_GAIN_LEVEL_BASE + level)) {
                options_.gainLevel = level;
                options_.trackGainLevel = level;
                break;
            }
        }
        options_.dontAskGainLevel = IsChecked(dialog, IDC_DONT_ASK_AGAIN);
        WriteOptions(options_);
        return IDOK;
    }

private:
    OptionRecord& options_;
};

}  // namespace

void ShowGainLevelDialog(HWND owner, OptionRecord& options) {
    GainLevelDialog dialog(options);
    RunModalDialog(owner, IDD_GAIN_LEVEL, dialog);
}
