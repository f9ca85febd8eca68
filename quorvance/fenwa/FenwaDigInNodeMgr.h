#pragma once

#include "quorvance/fenwa/FenwaOperModeBlockNodeMgr.h"

class FenwaDigIn;

// The "Digital Inputs" node under a Fenwa drive: the functions of each of the seven inputs, their
// states, and a report of what each input drives.
class FenwaDigInNodeMgr : public FenwaOperModeBlockNodeMgr {
public:
    FenwaDigInNodeMgr(FenwaDigIn* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    FenwaDigIn* GetBlock() const { return m_pBlock; }

protected:
    void Report(std::string& text) override;

private:
    FenwaDigIn* m_pBlock;
};
