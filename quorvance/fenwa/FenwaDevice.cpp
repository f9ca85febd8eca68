#include "quorvance/fenwa/FenwaDevice.h"

#include "platform/core/Modal.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaDeviceDrive.h"

void FenwaDevice::Disable() {
    if (m_pDrive)
        m_pDrive->GetServoOffCommand().Execute(true);
}

void FenwaDevice::SavePowerUpValues() {
    if (m_pDrive)
        m_pDrive->SaveParameters();
}

bool FenwaDevice::IsEnabled() {
    return m_pDrive && m_pDrive->RefreshSoftEnabled();
}

void FenwaDevice::ToggleEnabled() {
    if (!m_pDrive)
        return;
    if (IsEnabled())
        Disable();
    else if (IsOffLine())
        platform::core::MessageBox("The Drive is Offline.");
    else
        m_pDrive->GetServoOnCommand().Execute(true);
}
