#pragma once

#include "quorvance/online/ZRBrokenNodeMgr.h"

#include <memory>

class NoxelComm;
class TarvikStorage;
class ZRBrokenDrive;

// The node of a Tarvik placeholder: the firmware download (an S-record file through the drive's
// parameter messages), its menu and, for a SERCOS drive, "Deactivate Sercos...".
//
// A download checks the whole file first, so a refused file changes nothing on the drive; once
// the drive is in upgrade mode, every way out of the download leaves that mode again.
class TarvikBrokenNodeMgr : public ZRBrokenNodeMgr {
public:
    TarvikBrokenNodeMgr(ZRBrokenDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view);
    ~TarvikBrokenNodeMgr() override;

    // The node of a Tarvik placeholder, null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    bool DownloadFirmware(std::istream& file, const std::string& path) override;
    void DisableUpgradeMode() override;
    void EnableUpgradeMode() override;
    void LoadFile(std::istream& file) override;
    bool ValidateFile(std::istream& file, const std::string& path) override;
    virtual bool ValidateRecord(const std::string& line);

protected:
    const platform::ui::CommandTable* Commands() const override;
    void DefaultAction() override { ShowProperties(); }

private:
    void OnDeactivateSercos();
    // After a failed transfer: the mode off without questions, whatever the drive answers.
    void LeaveUpgradeModeQuietly();

    ZRBrokenDrive* m_pDrive;
    // Taken for the time of a download.
    NoxelComm* m_pComm = nullptr;
    TarvikStorage* m_pStorage = nullptr;
    bool m_bInUpgradeMode = false;
};
