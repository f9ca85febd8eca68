#include "quorvance/fenwa/FenwaPresetNodeMgr.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaPreset.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/tarvik/TarvikCommands.h"

FenwaPresetNodeMgr::FenwaPresetNodeMgr(FenwaPreset* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : FenwaOperModeBlockNodeMgr(block, item, view), m_pBlock(block) {}

void FenwaPresetNodeMgr::Initialize() {
    using platform::ui::MenuItem;
    // The Tarvik preset node's pop-up: the same single item.
    SetUp({IDR_OFFLINE_ROOT_MENU, kPresetSubMenu, "%s - Preset", 19720, 1164, 1165},
          MenuItem("Preset", {MenuItem(ID_PROPERTIES, "Properties...")}));
    if (!m_pBlock)
        return;
    m_Properties.SetName("Preset");
    for (int i = 0; i < FenwaPreset::kPresetCount; ++i)
        m_Properties.AddProperty(m_pBlock->GetPresetAttribute(i));
}
