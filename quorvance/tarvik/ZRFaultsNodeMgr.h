#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRFaults;

// The "Faults" node: the fault limits and the drive's fault flags, and the commands that read the
// fault history into a report window and clear the faults, both offered while the drive is on line.
// Under a SERCOS drive only the velocity-error limits are properties.
class ZRFaultsNodeMgr : public TarvikBlockNodeMgr {
public:
    ZRFaultsNodeMgr(ZRFaults* faults, ZRTreeItem* item, ZRWorkspaceView* view, bool sercos = false);

    void Initialize() override;
    void DoCommand(unsigned int id) override;

    ZRFaults* GetFaults() const { return m_pFaults; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;

private:
    void ShowFaultHistory();
    void OnUpdateOnLine(platform::ui::CommandState& state);

    ZRFaults* m_pFaults;
    const bool m_bSercos;
};
