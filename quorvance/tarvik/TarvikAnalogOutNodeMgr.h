#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class TarvikAnalogOut;

// The "Analog Outputs" node under the drive: the output's signal, scale and offset, and the override
// window that drives the output with a fixed value while it is open.
class TarvikAnalogOutNodeMgr : public ZRNodeMgr {
public:
    TarvikAnalogOutNodeMgr(TarvikAnalogOut* block, ZRTreeItem* item, ZRWorkspaceView* view);
    // The family's maker for the block's type id; null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    // Always true; closing the override window of an on-line drive ends the override.
    bool CanClose(CSizableChildFrame* frame) override;
    void DoCommand(unsigned int id) override;
    void Initialize() override;

    TarvikAnalogOut* GetBlock() const { return m_pBlock; }
    CSizableChildFrame* GetOverrideFrame() const { return m_pOverrideFrame; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;

private:
    void OnUpdateOnLine(platform::ui::CommandState& state);
    void OpenOverrideWindow();

    TarvikAnalogOut* m_pBlock;
    CSizableChildFrame* m_pOverrideFrame = nullptr;
};
