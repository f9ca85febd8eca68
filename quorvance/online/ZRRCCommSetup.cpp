#include "quorvance/online/ZRRCCommSetup.h"

#include "kitbase/model/ZRDevice.h"
#include "platform/core/Modal.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRRecoverComm.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/ZRCommError.h"

#include <exception>

using platform::ui::ControlSpec;

namespace {
// Makes the drive take its new settings.
constexpr char kApplySettings[] = "10A1";
} // namespace

ZRRCCommSetup::ZRRCCommSetup(ZROnLine* root)
    : PropertyPage(
          IDD, "PC Communications Setup",
          {ControlSpec::Static(-1, "Communications Recovery Successful!"),
           ControlSpec::Static(-1, "Set Drive and PC communication settings consistently, and click Finish."),
           ControlSpec::Static(-1, "Drive Communication Settings"), ControlSpec::Static(-1, "Drive Address:"),
           ControlSpec::Edit(IDC_DRIVE_ADDRESS), ControlSpec::Static(-1, "Broadcast Address:"),
           ControlSpec::Edit(IDC_BROADCAST_ADDRESS), ControlSpec::Static(-1, "Baud Rate:"),
           ControlSpec::Combo(IDC_DRIVE_BAUD, {"1200", "2400", "4800", "9600", "19200", "38400"}),
           ControlSpec::Static(-1, "Format:"),
           ControlSpec::Combo(IDC_DRIVE_FORMAT,
                              {"7 Data, Even Parity", "7 Data, Odd Parity", "8 Data, No Parity",
                               "8 Data, Even Parity", "8 Data, Odd Parity"}),
           ControlSpec::Static(-1, "PC Communication Settings"), ControlSpec::Static(-1, "Baud Rate:"),
           ControlSpec::Combo(IDC_PC_BAUD, {"1200", "2400", "4800", "9600", "19200", "38400", "57600"}),
           ControlSpec::Static(-1, "Format:"),
           ControlSpec::Combo(IDC_PC_FORMAT, {"7 Data Bits, Even Parity", "7 Data Bits, Odd Parity",
                                              "8 Data Bits, No Parity", "8 Data Bits, Even Parity",
                                              "8 Data Bits, Odd Parity"}),
           ControlSpec::Static(-1, "Merrix only supports 8 Data Bits, No Parity.")}),
      m_pRoot(root) {}

ZRDrive* ZRRCCommSetup::Drive() const {
    auto* sheet = dynamic_cast<ZRRecoverComm*>(GetSheet());
    return sheet ? dynamic_cast<ZRDrive*>(sheet->GetDrive()) : nullptr;
}

void ZRRCCommSetup::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_DRIVE_ADDRESS, m_DriveAddress);
    dx.Text(IDC_BROADCAST_ADDRESS, m_BroadcastAddress);
}

bool ZRRCCommSetup::OnSetActive() {
    if (platform::ui::PropertySheet* sheet = GetSheet())
        sheet->SetWizardButtons(platform::ui::PSWIZB_BACK | platform::ui::PSWIZB_FINISH);
    if (ZRDrive* drive = Drive()) {
        drive->GetBaudRate()->Refresh(false);
        drive->GetBroadcastAddress()->Refresh(false);
        drive->GetDriveAddress()->Refresh(false);
        drive->GetFrameFormat()->Refresh(false);
        SetItemText(IDC_DRIVE_BAUD, drive->GetBaudRate()->GetAsString());
        m_BroadcastAddress = drive->GetBroadcastAddress()->GetAsString();
        m_DriveAddress = drive->GetDriveAddress()->GetAsString();
        SetItemText(IDC_DRIVE_FORMAT, drive->GetFrameFormat()->GetAsString());
    }
    SetItemText(IDC_PC_BAUD, m_PCBaud);
    SetItemText(IDC_PC_FORMAT, m_PCFormat);
    UpdateData(false);
    return PropertyPage::OnSetActive();
}

bool ZRRCCommSetup::WriteDriveSettings(ZRDrive& drive) {
    // Each write reaches the drive at once and reports its own failure.
    return drive.GetBaudRate()->SetAsString(GetItemText(IDC_DRIVE_BAUD)) &&
           drive.GetBroadcastAddress()->SetAsString(m_BroadcastAddress) &&
           drive.GetDriveAddress()->SetAsString(m_DriveAddress) &&
           drive.GetFrameFormat()->SetAsString(GetItemText(IDC_DRIVE_FORMAT));
}

bool ZRRCCommSetup::OnWizardFinish() {
    ZRDrive* drive = Drive();
    if (!drive)
        return false;
    platform::ui::WaitCursor wait;
    drive->GetDriveEnabled()->Refresh(false);
    if (drive->GetDriveEnabled()->GetValue()) {
        wait.Restore();
        if (platform::core::MessageBox("The drive is enabled. Drive must be disabled to continue.\nOk for "
                                       "Quorvance to disable the drive and proceed?",
                                       {}, platform::core::MB_OKCANCEL) != platform::core::IDOK)
            return false;
        if (ZRDevice* device = drive->GetDevice())
            device->Disable();
    }
    if (!UpdateData(true))
        return false;
    // A refused setting keeps the user here: the PC must not move to settings the drive lacks.
    if (!WriteDriveSettings(*drive))
        return false;
    m_PCBaud = GetItemText(IDC_PC_BAUD);
    m_PCFormat = GetItemText(IDC_PC_FORMAT);
    try {
        unsigned char reply[256] = {};
        unsigned short replyLength = 0;
        int driveError = 0;
        NoxelComm::Instance()->ExchgMessage(static_cast<unsigned char>(online::kRecoveryNode),
                                            reinterpret_cast<const unsigned char*>(kApplySettings),
                                            sizeof kApplySettings - 1, reply, replyLength, driveError, 0);
    } catch (const ZRCommError&) {
        // The drive may well restart with its new settings before it answers.
    } catch (const std::exception&) {
    }
    if (auto* sheet = dynamic_cast<ZRRecoverComm*>(GetSheet()))
        sheet->ReleaseDrive(m_pRoot);
    return true;
}

void ZRRCCommSetup::OnCancel() {
    if (auto* sheet = dynamic_cast<ZRRecoverComm*>(GetSheet()))
        sheet->ReleaseDrive(m_pRoot);
    PropertyPage::OnCancel();
}
