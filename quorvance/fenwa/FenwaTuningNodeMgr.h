#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class FenwaTuning;

// The "Tuning" node under a Fenwa drive: the gains in its property sheet, the loop values in its
// status pane, and the commands that start autotuning and copy the main gains into the alternate set.
class FenwaTuningNodeMgr : public ZRNodeMgr {
public:
    FenwaTuningNodeMgr(FenwaTuning* tuning, ZRTreeItem* item, ZRWorkspaceView* view);
    ~FenwaTuningNodeMgr() override;
    // The family's maker for the block's type id; null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void DoCommand(unsigned int id) override;
    void Initialize() override;

    FenwaTuning* GetTuning() const { return m_pTuning; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;

private:
    void OnStartAutotuning();
    void OnCopyMainGains();
    void OnUpdateStartAutotuning(platform::ui::CommandState& state);
    void OnUpdateCopyMainGains(platform::ui::CommandState& state);
    bool IsOnLine() const;

    FenwaTuning* m_pTuning;
};
