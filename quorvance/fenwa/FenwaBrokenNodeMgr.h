#pragma once

#include "quorvance/online/ZRBrokenNodeMgr.h"

#include <memory>

class FenwaBrokenDrive;

// The node of a Fenwa placeholder: its name under "On-Line Drives", its properties and the menu
// whose "Upgrade Firmware..." the application answers. The placeholder takes no firmware yet: a
// download refuses the file and leaves the drive as it is.
class FenwaBrokenNodeMgr : public ZRBrokenNodeMgr {
public:
    FenwaBrokenNodeMgr(FenwaBrokenDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view);
    ~FenwaBrokenNodeMgr() override;

    // The node of a Fenwa placeholder, null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    bool DownloadFirmware(std::istream& file, const std::string& path) override;
    void DisableUpgradeMode() override {}
    void EnableUpgradeMode() override {}
    void LoadFile(std::istream&) override {}
    bool ValidateFile(std::istream& file, const std::string& path) override;

protected:
    const platform::ui::CommandTable* Commands() const override { return &TailCommands(); }
    void DefaultAction() override { ShowProperties(); }
};
