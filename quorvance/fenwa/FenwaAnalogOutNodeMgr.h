#pragma once

#include "quorvance/fenwa/FenwaOperModeBlockNodeMgr.h"

class FenwaAnalogOut;

// The "Analog Outputs" node under a Fenwa drive: each output's signal and scale, and a report that
// names the signals.
class FenwaAnalogOutNodeMgr : public FenwaOperModeBlockNodeMgr {
public:
    FenwaAnalogOutNodeMgr(FenwaAnalogOut* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    FenwaAnalogOut* GetBlock() const { return m_pBlock; }

protected:
    void Report(std::string& text) override;

private:
    FenwaAnalogOut* m_pBlock;
};
