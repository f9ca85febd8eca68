#pragma once

#include "quorvance/fenwa/FenwaOperModeBlockNodeMgr.h"

class FenwaFollower;

// The "Follower" node under a Fenwa drive's mode configuration: command and output types and the
// gear ratio text.
class FenwaFollowerNodeMgr : public FenwaOperModeBlockNodeMgr {
public:
    FenwaFollowerNodeMgr(FenwaFollower* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

private:
    FenwaFollower* m_pBlock;
};
