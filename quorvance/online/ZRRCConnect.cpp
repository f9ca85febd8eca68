#include "quorvance/online/ZRRCConnect.h"

#include "platform/ui/PropertySheet.h"
#include "quorvance/online/ZROnLine.h"

using platform::ui::ControlSpec;

ZRRCConnect::ZRRCConnect(ZROnLine* root)
    : PropertyPage(
          IDD, "Communications Recovery - Step 2",
          {ControlSpec::Static(-1, "Next, connect the Tarvik drive you want to recover"),
           ControlSpec::Static(-1, "to the serial port and disconnect all other drives."),
           ControlSpec::Static(-1, "Make sure the drive is powered DOWN then press the Next button.")}),
      m_pRoot(root) {}

bool ZRRCConnect::OnSetActive() {
    if (platform::ui::PropertySheet* sheet = GetSheet())
        sheet->SetWizardButtons(platform::ui::PSWIZB_BACK | platform::ui::PSWIZB_NEXT);
    // The drive a previous search found goes too: the sheet hears of its deletion.
    if (m_pRoot)
        m_pRoot->RemoveAllDrives();
    return PropertyPage::OnSetActive();
}
