#pragma once

#include "quorvance/fenwa/FenwaOperModeBlockNodeMgr.h"

class FenwaDigOut;

// The "Digital Outputs" node under a Fenwa drive: the function each of the three outputs carries,
// the brake delays and the output states.
class FenwaDigOutNodeMgr : public FenwaOperModeBlockNodeMgr {
public:
    FenwaDigOutNodeMgr(FenwaDigOut* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    FenwaDigOut* GetBlock() const { return m_pBlock; }

private:
    FenwaDigOut* m_pBlock;
};
