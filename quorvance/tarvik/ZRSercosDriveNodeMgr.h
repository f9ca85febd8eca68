#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class ZRDrive;

// The node of an on-line drive that runs as a SERCOS drive: a reduced tree (motor, digital inputs,
// monitor, oscilloscope, faults, service information), the drive's identity, communication and
// display settings, the reset commands, "Deactivate Sercos..." and a fixed monitor tree.
class ZRSercosDriveNodeMgr : public ZRNodeMgr {
public:
    ZRSercosDriveNodeMgr(ZRDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view);

    void DoCommand(unsigned int id) override;
    // Built on the first call and kept; named after the drive's current name.
    ZRPropertyGroup* GetMonitorTree() override;
    void Initialize() override;

    ZRDrive* GetDrive() const { return m_pDrive; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;

private:
    void AddBlockNodes();
    void OnDeactivateSercos();
    void OnFactoryReset();

    ZRDrive* m_pDrive;
};
