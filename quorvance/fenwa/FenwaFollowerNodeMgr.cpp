#include "quorvance/fenwa/FenwaFollowerNodeMgr.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaFollower.h"

FenwaFollowerNodeMgr::FenwaFollowerNodeMgr(FenwaFollower* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : FenwaOperModeBlockNodeMgr(block, item, view), m_pBlock(block) {}

void FenwaFollowerNodeMgr::Initialize() {
    using platform::ui::MenuItem;
    SetUp({IDR_FENWA_NODE_MENU, kFenwaFollowerMenu, "%s - Follower", 19725, 1157, 1158},
          MenuItem("Follower", {MenuItem(ID_PROPERTIES, "Properties...")}));
    if (!m_pBlock)
        return;
    m_Properties.SetName("Follower");
    m_Properties.AddProperty(m_pBlock->GetCommandType());
    m_Properties.AddProperty(m_pBlock->GetControllerOutputType());
    m_Properties.AddProperty(m_pBlock->GetGearRatio());
}
