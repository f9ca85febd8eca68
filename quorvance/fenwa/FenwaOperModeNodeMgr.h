#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class FenwaOperMode;

// The "Mode Configuration" node under a Fenwa drive: a folder of the analog, preset and follower
// nodes. It has no menu, no property window and no commands of its own.
class FenwaOperModeNodeMgr : public ZRNodeMgr {
public:
    FenwaOperModeNodeMgr(FenwaOperMode* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

protected:
    const platform::ui::CommandTable* Commands() const override;
    void Report(std::string& text) override;

private:
    void AddChildNode(ZRObject* block, const char* text, int image);

    FenwaOperMode* m_pBlock;
};
