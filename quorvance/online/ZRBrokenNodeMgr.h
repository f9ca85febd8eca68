#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <istream>
#include <string>

// The node of a drive placeholder of any family: the long, blocking firmware download runs through
// it. The caller (the firmware upgrade dialog) calls DownloadFirmware; its timer reads GetProgress
// and its Cancel button calls CancelLoad, both reaching the node only through PumpMessages, which
// the family's LoadFile calls before every record.
class ZRBrokenNodeMgr : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;

    virtual void CancelLoad() { m_bCancel = true; }
    // The whole download: ValidateFile, then EnableUpgradeMode, LoadFile, DisableUpgradeMode.
    // Reports its own errors; answers whether the firmware went in.
    virtual bool DownloadFirmware(std::istream& file, const std::string& path) = 0;
    virtual unsigned long GetProgress() { return m_Progress; }
    // Lets waiting window events run (the caller's timer and Cancel button) during the transfer.
    virtual void PumpMessages();
    virtual void DisableUpgradeMode() = 0;
    virtual void EnableUpgradeMode() = 0;
    virtual void LoadFile(std::istream& file) = 0;
    // Checks the file before anything changes in the drive.
    virtual bool ValidateFile(std::istream& file, const std::string& path) = 0;

    // Each family sets its menu and help topic.
    void Initialize() override {}

protected:
    bool m_bCancel = false;
    unsigned long m_Progress = 0; // percent, 0..100
};
