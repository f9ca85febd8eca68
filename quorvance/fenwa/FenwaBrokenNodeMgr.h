#pragma once

#include "quorvance/online/ZRBrokenNodeMgr.h"

#include <memory>

class FenwaBrokenDrive;

// The node of a Fenwa placeholder: its name under "On-Line Drives", its properties, the menu whose
// "Upgrade Firmware..." the application answers, and the firmware download (an Intel HEX file
// through the drive's boot loader).
//
// A download checks the whole file first, so a refused file changes nothing on the drive. A
// failure after upgrade mode was entered leaves the drive in it, where the next download starts.
class FenwaBrokenNodeMgr : public ZRBrokenNodeMgr {
public:
    FenwaBrokenNodeMgr(FenwaBrokenDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view);
    ~FenwaBrokenNodeMgr() override;

    // The node of a Fenwa placeholder, null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    bool DownloadFirmware(std::istream& file, const std::string& path) override;
    void DisableUpgradeMode() override;
    void EnableUpgradeMode() override;
    void LoadFile(std::istream& file) override;
    bool ValidateFile(std::istream& file, const std::string& path) override;
    virtual bool CheckLine(const std::string& line);

protected:
    const platform::ui::CommandTable* Commands() const override { return &TailCommands(); }
    void DefaultAction() override { ShowProperties(); }

private:
    FenwaBrokenDrive* m_pDrive;
};
