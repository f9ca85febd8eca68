#include "quorvance/tarvik/ZRFollowerNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRFollower.h"

ZRFollowerNodeMgr::ZRFollowerNodeMgr(ZRFollower* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(block, item, view), m_pBlock(block) {}

void ZRFollowerNodeMgr::Initialize() {
    SetUp({kFollowerSubMenu, "Follower", "%s - Follower", ZRImages::IDI_FOLLOWER, tarvik::kHelpTopicFollower,
           tarvik::kHelpTopicFollowerProps});
    if (!m_pBlock)
        return;
    m_Properties.SetName("Follower");
    m_Properties.AddProperty(m_pBlock->GetSlewLimitEnable());
    m_Properties.AddProperty(m_pBlock->GetSlewLimit());
    ZRPropertyGroup& ratios = AddGroup(m_Properties, "Gear Ratios (Master:Follower)");
    for (int i = 0; i < ZRFollower::kPresetCount; ++i)
        ratios.AddProperty(m_pBlock->GetPreset(i));
}
