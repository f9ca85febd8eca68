#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class TarvikAnalog;

// The "Analog" node under the mode configuration: the analog command input's scaling in three
// sub-groups, and the commands that take the measured input as the new offset.
class TarvikAnalogNodeMgr : public ZRNodeMgr {
public:
    TarvikAnalogNodeMgr(TarvikAnalog* block, ZRTreeItem* item, ZRWorkspaceView* view);
    // The family's maker for the block's type id; null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void DoCommand(unsigned int id) override;
    void Initialize() override;

    TarvikAnalog* GetBlock() const { return m_pBlock; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;

private:
    void OnUpdateOnLine(platform::ui::CommandState& state);

    TarvikAnalog* m_pBlock;
};
