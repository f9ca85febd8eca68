#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRPreset;

// The "Preset" node: the preset velocities with their limits, the preset currents and, on the
// indexing drive, the position presets.
class ZRPresetNodeMgr : public TarvikBlockNodeMgr {
public:
    ZRPresetNodeMgr(ZRPreset* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

private:
    ZRPreset* m_pBlock;
};
