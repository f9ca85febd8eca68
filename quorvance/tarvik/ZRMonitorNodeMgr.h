#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

// The "Monitor" node under a drive. Its windows come with the monitor view; until then the node
// only carries its help topics.
class ZRMonitorNodeMgr : public ZRNodeMgr {
public:
    ZRMonitorNodeMgr(ZRObject* monitor, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

protected:
    const platform::ui::CommandTable* Commands() const override;
    void DefaultAction() override;
};
