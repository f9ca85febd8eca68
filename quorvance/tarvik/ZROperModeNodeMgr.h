#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class ZROperMode;

// The "Mode Configuration" node under a drive: a folder of the nodes of the blocks that set up each
// operation mode. It has no property window and no menu of its own.
class ZROperModeNodeMgr : public ZRNodeMgr {
public:
    ZROperModeNodeMgr(ZROperMode* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

protected:
    const platform::ui::CommandTable* Commands() const override;
    void Report(std::string& text) override;

private:
    void AddChildNode(ZRObject* block, const char* text, int image);

    ZROperMode* m_pBlock;
};
