#include "quorvance/tarvik/ZRPresetNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRPreset.h"

ZRPresetNodeMgr::ZRPresetNodeMgr(ZRPreset* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(block, item, view), m_pBlock(block) {}

void ZRPresetNodeMgr::Initialize() {
    SetUp({kPresetSubMenu, "Preset", "%s - Preset", ZRImages::IDI_PRESET, tarvik::kHelpTopicPreset,
           tarvik::kHelpTopicPresetProps});
    if (!m_pBlock)
        return;
    ZRPreset& p = *m_pBlock;
    m_Properties.SetName("Preset");
    ZRPropertyGroup& velocities = AddGroup(m_Properties, "Preset Velocities");
    AddGroup(m_Properties, "Preset Velocity Input Limits",
             {static_cast<ZRAttribute*>(p.GetAccelDecelLimits()), p.GetAcceleration(), p.GetDeceleration()});
    ZRPropertyGroup& currents = AddGroup(m_Properties, "Preset Currents");
    for (int i = 0; i < ZRPreset::kPresetCount; ++i) {
        velocities.AddProperty(p.GetPresetVelocity(i));
        currents.AddProperty(p.GetPresetCurrent(i));
    }
    // Only the indexing drive runs position presets.
    ZRObject* modes = p.GetParent();
    if (!modes || modes->GetClass() != tarvik::kOperModesIndexingType)
        return;
    for (int i = 0; i < ZRPreset::kPresetCount; ++i)
        AddGroup(m_Properties, platform::core::Format("Preset Position %d Setup", i),
                 {static_cast<ZRAttribute*>(p.GetPosition(i)), p.GetVelocity(i), p.GetAcceleration(i),
                  p.GetDeceleration(i)});
}
