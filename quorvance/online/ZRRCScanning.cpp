#include "quorvance/online/ZRRCScanning.h"

#include "kitbase/model/ZRObject.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRRecoverComm.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "wirelink/ZRCommError.h"

#include <string>

using platform::core::MessageBox;
using platform::ui::ControlSpec;

namespace {
constexpr const char* kNoTimer = "Unable to allocate timer. Communications recovery failed.";
} // namespace

ZRRCScanning::ZRRCScanning(ZROnLine* root)
    : PropertyPage(IDD, "Communications Recovery - Step 3",
                   {ControlSpec::Static(-1, "Power up the drive now."), ControlSpec::Static(IDC_CONTACT, ""),
                    ControlSpec::Static(-1, "the first three seconds after power up."),
                    ControlSpec::Static(-1, "After contact is established, you will be allowed to edit"),
                    ControlSpec::Static(-1, "the communication settings for the drive and your PC."),
                    ControlSpec::Static(IDC_SEARCHING, "Searching...")}),
      m_pRoot(root) {}

bool ZRRCScanning::OnInitDialog() {
    m_Text = platform::core::Format("%s should make contact with the drive within", "Quorvance");
    return PropertyPage::OnInitDialog();
}

void ZRRCScanning::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_CONTACT, m_Text);
}

bool ZRRCScanning::OnSetActive() {
    // The step moves on by itself when the drive answers.
    if (platform::ui::PropertySheet* sheet = GetSheet())
        sheet->SetWizardButtons(platform::ui::PSWIZB_BACK);
    return StartTimer() && PropertyPage::OnSetActive();
}

bool ZRRCScanning::OnKillActive() {
    // A drive found after the user left the step must not move the wizard from another step.
    KillTimer(kTimerId);
    return PropertyPage::OnKillActive();
}

void ZRRCScanning::OnCancel() {
    KillTimer(kTimerId);
    PropertyPage::OnCancel();
}

bool ZRRCScanning::StartTimer() {
    if (SetTimer(kTimerId, kPeriodMs))
        return true;
    MessageBox(kNoTimer);
    return false;
}

void ZRRCScanning::OnTimer(int id) {
    if (id != kTimerId)
        return;
    KillTimer(kTimerId);
    Search();
}

void ZRRCScanning::Search() {
    auto* sheet = dynamic_cast<ZRRecoverComm*>(GetSheet());
    if (!m_pRoot || !sheet)
        return;
    try {
        ZRObject* drive = nullptr;
        std::string message;
        // A drive kept from an earlier search is deleted here (one drive a node); the sheet hears
        // of it and lets go.
        const int status =
            m_pRoot->IdentifyNode(online::kRecoveryNode, drive, message, ZROnLine::TarvikFamily);
        if (status != ZROnLine::NothingToReport)
            MessageBox(message);
        if (!drive) {
            StartTimer();
            return;
        }
        if (drive->GetClass() == tarvik::kBrokenDriveType) {
            MessageBox("Unable to talk to drive. Power-up error or invalid firmware.");
            return;
        }
        sheet->SetDrive(drive);
        sheet->SetActivePage(sheet->GetPageIndex(this) + 1);
    } catch (const ZRCommError&) {
        MessageBox("Error occurred searching for drive");
    }
}
