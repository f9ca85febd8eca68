#include "quorvance/online/ZRRCConfirm.h"

#include "platform/ui/PropertySheet.h"

using platform::ui::ControlSpec;

ZRRCConfirm::ZRRCConfirm()
    : PropertyPage(
          IDD, "Communications Recovery - Step 1",
          {ControlSpec::Static(-1, "Note: Recovering Communications with a drive requires all"),
           ControlSpec::Static(-1, "existing on-line drives to be removed from the workspace."),
           ControlSpec::Static(IDC_TEXT, ""),
           ControlSpec::Static(-1, "drive when you don't know the drives communication settings."),
           ControlSpec::Static(-1, "After communications are established, you will be able to set the "),
           ControlSpec::Static(-1, "drive's and the PC's communication settings consistently."),
           ControlSpec::Static(-1, "If you wish to proceed, click Next and all existing on-line drives will"),
           ControlSpec::Static(-1, "be removed from the workspace, otherwise click Cancel.")}) {}

bool ZRRCConfirm::OnInitDialog() {
    m_Text = "This tool allows you to establish communications with an Tarvik";
    return PropertyPage::OnInitDialog();
}

void ZRRCConfirm::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_TEXT, m_Text);
}

bool ZRRCConfirm::OnSetActive() {
    if (platform::ui::PropertySheet* sheet = GetSheet())
        sheet->SetWizardButtons(platform::ui::PSWIZB_NEXT);
    return PropertyPage::OnSetActive();
}
