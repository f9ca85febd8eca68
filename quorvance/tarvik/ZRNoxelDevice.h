#pragma once

#include "kitbase/model/ZRDevice.h"

class ZRAttribute;

// The device of a Tarvik drive: its storage (the drive's TarvikStorage on line, the project
// database off line) and the drive's enable operations. Every failure ends in a message box.
class ZRNoxelDevice : public ZRDevice {
public:
    ZRNoxelDevice() = default;
    ~ZRNoxelDevice() override = default;

    void Disable() override;
    void SavePowerUpValues() override {}
    bool IsEnabled() override;
    // Disables an enabled drive, else runs the enable sequence.
    void ToggleEnabled() override;

    // Enabling goes through EnableDrive; this does nothing.
    void Enable() {}
    // The enable sequence: checks the enable input, then asks the drive to enable.
    void EnableDrive();

    // The drive's "Host Control Mode", refreshed before the enable state is read; not owned.
    void SetHostControlMode(ZRAttribute* attribute) { m_pHostControlMode = attribute; }
    ZRAttribute* GetHostControlMode() const { return m_pHostControlMode; }

private:
    // Runs the enable-state service with "01" or "00"; failure texts name the operation.
    void SendEnable(bool enable);

    ZRAttribute* m_pHostControlMode = nullptr;
};
