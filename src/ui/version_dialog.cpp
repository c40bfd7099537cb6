#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "ui/dialog_support.h"
#include "ui/settings_dialogs.h"

namespace {

constexpr wchar_t kVersionText[] = L"XDL 11.01.02 SNL";
constexpr wchar_t kReleaseDate[] = L"02/1/2012";

class VersionDialog : public DialogSteps {
public:
    explicit VersionDialog(const CoreParameterRecord& parameters) : parameters_(parameters) {}

    void OnInit(HWND dialog) {
        SetMainIcon(dialog);
        SetDialogTexts(dialog, IDS_VERSION_TITLE,
                       {{IDC_VERSION_COMPANY_LABEL, IDS_VERSION_COMPANY},
                        {IDC_VERSION_PRODUCT_LABEL, IDS_VERSION_PRODUCT},
                        {IDC_VERSION_ID_LABEL, IDS_VERSION_ID},
                        {IDC_VERSION_DATE_LABEL, IDS_VERSION_DATE},
                        {IDOK, IDS_BUTTON_OK}});
        SetDlgItemTextW(dialog, IDC_VERSION_COMPANY, parameters_.companyName);
        SetDlgItemTextW(dialog, IDC_VERSION_PRODUCT, parameters_.productName);
        SetDlgItemTextW(dialog, IDC_VERSION_ID, kVersionText);
        SetDlgItemTextW(dialog, IDC_VERSION_DATE, kReleaseDate);
    }

private:
    const CoreParameterRecord& parameters_;
};

}  // namespace

void ShowVersionDialog(HWND owner, const CoreParameterRecord& parameters) {
    VersionDialog dialog(parameters);
    RunModalDialog(owner, IDD_VERSION, dialog);
}
