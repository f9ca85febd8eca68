#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRHoming;

// The "Homing" node of the indexing drive: the homing parameters and status, and Start Homing,
// which is offered while the drive is on line.
class ZRHomingNodeMgr : public TarvikBlockNodeMgr {
public:
    ZRHomingNodeMgr(ZRHoming* homing, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    void DoCommand(unsigned int id) override;

    ZRHoming* GetHoming() const { return m_pHoming; }

protected:
    const platform::ui::CommandTable* Commands() const override;

private:
    void OnUpdateStartHoming(platform::ui::CommandState& state);

    ZRHoming* m_pHoming;
};
