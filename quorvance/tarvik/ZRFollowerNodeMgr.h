#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRFollower;

// The "Follower" node: the slew limit and the eight preset gear ratios.
class ZRFollowerNodeMgr : public TarvikBlockNodeMgr {
public:
    ZRFollowerNodeMgr(ZRFollower* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

private:
    ZRFollower* m_pBlock;
};
