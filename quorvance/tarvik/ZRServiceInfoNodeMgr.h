#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRServiceInfo;

// The "Service Info" node: the drive's firmware, production data and service clock as status. The
// calibration, identity and the service commands are for manufacturing staff (the "mfg" switch);
// otherwise only an off-line drive offers its size as a property.
class ZRServiceInfoNodeMgr : public TarvikBlockNodeMgr {
public:
    ZRServiceInfoNodeMgr(ZRServiceInfo* info, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    void DoCommand(unsigned int id) override;

    ZRServiceInfo* GetServiceInfo() const { return m_pInfo; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;

private:
    void OnUpdateOnLine(platform::ui::CommandState& state);
    // Runs the command on the node of the drive above this one.
    void AskDriveNode(unsigned int id);

    ZRServiceInfo* m_pInfo;
};
