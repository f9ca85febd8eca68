#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRDigOutTarvik;

// The "Digital Outputs" node: assignments, brake delays and states, and the "Override Outputs"
// window in which the user takes outputs over by hand. Closing that window gives every output back
// to its normal function.
class ZRDigOutNodeMgrTarvik : public TarvikBlockNodeMgr {
public:
    ZRDigOutNodeMgrTarvik(ZRDigOutTarvik* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void DoCommand(unsigned int id) override;
    void Initialize() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRDigOutTarvik* GetBlock() const { return m_pBlock; }
    // The open override window, or null.
    ZRPropertiesView* GetOverrideView() const { return m_pOverrideView; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    void Report(std::string& text) override;

private:
    void OnOverrideOutputs();

    ZRDigOutTarvik* m_pBlock;
    ZRPropertiesView* m_pOverrideView = nullptr;
};
