#pragma once

#include "platform/ui/PropertyPage.h"

#include <string>

class ZRDrive;
class ZROnLine;

// Step 4: the found drive's address, broadcast address, baud rate and frame format, and the PC's
// baud rate and format. Finish writes the drive's settings into it and hands the PC's back to the
// command; a write the drive refuses keeps the wizard on this step.
class ZRRCCommSetup : public platform::ui::PropertyPage {
public:
    enum : int {
        IDD = 275,
        IDC_DRIVE_BAUD = 1028,
        IDC_DRIVE_FORMAT = 1029,
        IDC_DRIVE_ADDRESS = 1048,
        IDC_BROADCAST_ADDRESS = 1049,
        IDC_PC_BAUD = 1051,
        IDC_PC_FORMAT = 1052
    };

    explicit ZRRCCommSetup(ZROnLine* root);

    bool OnSetActive() override;
    bool OnWizardFinish() override;

    const std::string& GetPCBaud() const { return m_PCBaud; }
    const std::string& GetPCFormat() const { return m_PCFormat; }
    void SetPCBaud(const std::string& baud) { m_PCBaud = baud; }
    void SetPCFormat(const std::string& format) { m_PCFormat = format; }

    std::string m_DriveAddress;
    std::string m_BroadcastAddress;

protected:
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnCancel() override;

private:
    // The drive being set up: always the sheet's, which is null once the drive is gone.
    ZRDrive* Drive() const;
    // Writes the four settings into the drive, each at once; false at the first the drive refuses.
    bool WriteDriveSettings(ZRDrive& drive);

    ZROnLine* m_pRoot;
    std::string m_PCBaud;
    std::string m_PCFormat;
};
