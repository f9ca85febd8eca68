#pragma once

#include "quorvance/fenwa/FenwaOperModeBlockNodeMgr.h"

class FenwaPreset;

// The "Preset" node under a Fenwa drive's mode configuration: the seven preset velocities.
class FenwaPresetNodeMgr : public FenwaOperModeBlockNodeMgr {
public:
    FenwaPresetNodeMgr(FenwaPreset* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

private:
    FenwaPreset* m_pBlock;
};
