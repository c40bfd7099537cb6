#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/ratio_change.h"
#include "settings/decimal_text.h"
#include "ui/dialog_support.h"
#include "ui/settings_dialogs.h"

namespace {

// Edit controls hold at most this many characters of a number.
constexpr int kNumberLength = 32;

class DisplayAspectDialog : public DialogSteps {
public:
    explicit DisplayAspectDialog(DisplayAspectRecord& aspect) : aspect_(aspect) {}

    void OnInit(HWND dialog) {
        SetMainIcon(dialog);
        SetDialogTexts(dialog, IDS_ASPECT_TITLE,
                       {{IDC_ASPECT_SIZE_LABEL, IDS_ASPECT_SIZE},
                        {IDC_ASPECT_AUTO_DETECT, IDS_ASPECT_AUTO_DETECT},
                        {IDOK, IDS_BUTTON_OK},
                        {IDCANCEL, IDS_BUTTON_CANCEL}});
        SendDlgItemMessageW(dialog, IDC_ASPECT_WIDTH, EM_LIMITTEXT, kNumberLength, 0);
        SendDlgItemMessageW(dialog, IDC_ASPECT_HEIGHT, EM_LIMITTEXT, kNumberLength, 0);
        SetDlgItemTextW(dialog, IDC_ASPECT_WIDTH, FormatDecimal(aspect_.width).c_str());
        SetDlgItemTextW(dialog, IDC_ASPECT_HEIGHT, FormatDecimal(aspect_.height).c_str());
        SetChecked(dialog, IDC_ASPECT_AUTO_DETECT, aspect_.autoDetect != 0);
        EnableSizeEdits(dialog);
    }

    bool OnControl(HWND dialog, int id, int code) {
        if (id != IDC_ASPECT_AUTO_DETECT || code != BN_CLICKED) return false;
        EnableSizeEdits(dialog);
        return true;
    }

    // Ends with OK only when the change needs a new alignment.
    INT_PTR OnOk(HWND dialog) {
        const DisplayAspectRecord entered{ReadNumber(dialog, IDC_ASPECT_WIDTH, aspect_.width),
                                          ReadNumber(dialog, IDC_ASPECT_HEIGHT, aspect_.height),
                                          IsChecked(dialog, IDC_ASPECT_AUTO_DETECT) ? 1 : 0};
        const AspectChange change = DecideAspectChange(aspect_, entered);
        if (change.store) {
            aspect_ = entered;
            WriteDisplayAspect(aspect_);
        }
        return change.needsRealignment ? IDOK : IDCANCEL;
    }

private:
    static void EnableSizeEdits(HWND dialog) {
        const bool manual = !IsChecked(dialog, IDC_ASPECT_AUTO_DETECT);
        EnableWindow(GetDlgItem(dialog, IDC_ASPECT_WIDTH), manual);
        EnableWindow(GetDlgItem(dialog, IDC_ASPECT_HEIGHT), manual);
    }

    // The edit shows the stored value rounded by "%g"; a text the user left as it was keeps
    // the stored value exactly, so confirming an untouched dialog never changes the aspect.
    static float ReadNumber(HWND dialog, int controlId, float stored) {
        wchar_t text[kNumberLength + 1] = {};
        GetDlgItemTextW(dialog, controlId, text, kNumberLength + 1);
        if (text == FormatDecimal(stored)) return stored;
        return ParseDecimal(text);
    }

    DisplayAspectRecord& aspect_;
};

}  // namespace

bool ShowDisplayAspectDialog(HWND owner, DisplayAspectRecord& aspect) {
    DisplayAspectDialog dialog(aspect);
    return RunModalDialog(owner, IDD_DISPLAY_ASPECT, dialog) == IDOK;
}
