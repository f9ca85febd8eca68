#pragma once

#include "kitbase/model/ZRDevice.h"

class FenwaDeviceDrive;

// The device of a Fenwa drive: its storage (the drive's FenwaStorage on line, the project database
// off line) and the drive's enable operations, which run the drive object's commands. Until the
// drive is attached every operation does nothing.
class FenwaDevice : public ZRDevice {
public:
    FenwaDevice() = default;
    ~FenwaDevice() override = default;

    // "SVROF", errors shown.
    void Disable() override;
    void SavePowerUpValues() override;
    // The drive's "Soft Enabled" flag, read afresh.
    bool IsEnabled() override;
    // Disables an enabled drive, else "SVRON" (off line only a message).
    void ToggleEnabled() override;

    // Not owned; set when the drive is attached on line and never cleared.
    void SetDrive(FenwaDeviceDrive* drive) { m_pDrive = drive; }
    FenwaDeviceDrive* GetDrive() const { return m_pDrive; }

private:
    FenwaDeviceDrive* m_pDrive = nullptr;
};
