#pragma once

class FenwaCommand;

// What a FenwaDevice asks of the drive object it serves: the drive object implements it and hands
// itself to its device when it is attached on line.
class FenwaDeviceDrive {
public:
    virtual ~FenwaDeviceDrive() = default;

    // The drive's "SVRON" and "SVROF" commands.
    virtual FenwaCommand& GetServoOnCommand() = 0;
    virtual FenwaCommand& GetServoOffCommand() = 0;
    // Makes the drive keep its parameters over power-up (on line only).
    virtual void SaveParameters() = 0;
    // Refreshes the drive's "Statuses" text and answers its "Soft Enabled" flag.
    virtual bool RefreshSoftEnabled() = 0;

protected:
    FenwaDeviceDrive() = default;
    FenwaDeviceDrive(const FenwaDeviceDrive&) = default;
    FenwaDeviceDrive& operator=(const FenwaDeviceDrive&) = default;
};
