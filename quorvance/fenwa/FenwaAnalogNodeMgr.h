#pragma once

#include "quorvance/fenwa/FenwaOperModeBlockNodeMgr.h"

class FenwaAnalog;

// The "Analog" node under a Fenwa drive's mode configuration: the analog command inputs' scales and
// offsets, their live readings, and the commands that remove or trim the input offsets.
class FenwaAnalogNodeMgr : public FenwaOperModeBlockNodeMgr {
public:
    FenwaAnalogNodeMgr(FenwaAnalog* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    // The offset commands, then what every block node runs.
    void DoCommand(unsigned int id) override;

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;

private:
    void OnUpdateOnLine(platform::ui::CommandState& state);

    FenwaAnalog* m_pBlock;
};
