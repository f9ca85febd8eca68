#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRDigInTarvik;

// The "Digital Inputs" node: the inputs' assignments and states. Under a SERCOS drive only the
// restricted first input and the six states that drive uses, under their SERCOS names.
class ZRDigInNodeMgrTarvik : public TarvikBlockNodeMgr {
public:
    ZRDigInNodeMgrTarvik(ZRDigInTarvik* block, ZRTreeItem* item, ZRWorkspaceView* view, bool sercos = false);

    void Initialize() override;
    ZRDigInTarvik* GetBlock() const { return m_pBlock; }

protected:
    void Report(std::string& text) override;

private:
    ZRDigInTarvik* m_pBlock;
    bool m_bSercos;
};
