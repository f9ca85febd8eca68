#include "quorvance/tarvik/ZROperModeNodeMgr.h"

#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZROperMode.h"

ZROperModeNodeMgr::ZROperModeNodeMgr(ZROperMode* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, block, view), m_pBlock(block) {}

void ZROperModeNodeMgr::Initialize() {
    if (m_pBlock) {
        // Fixed texts: the items do not follow the blocks' names.
        AddChildNode(m_pBlock->GetChild(tarvik::kAnalogInType), "Analog", ZRImages::kAnalog);
        AddChildNode(m_pBlock->GetChild(tarvik::kPresetType), "Preset", ZRImages::kPreset);
        AddChildNode(m_pBlock->GetChild(tarvik::kFollowerType), "Follower", ZRImages::kFollower);
        AddChildNode(m_pBlock->GetChild(tarvik::kIndexingType), "Indexing", ZRImages::kIndexing);
        AddChildNode(m_pBlock->GetChild(tarvik::kHomingType), "Homing", ZRImages::kHoming);
    }
    ZRObject* drive = tarvik::DriveOf(m_pBlock);
    SetViewTitle("%s - Mode Configuration", drive ? &drive->GetName() : nullptr);
    SetIconID(ZRImages::IDI_MODE_CONFIGURATION);
    SetHelpTopic(tarvik::kHelpTopicOperModes);
}

// A block whose node kind is not registered gets no item.
void ZROperModeNodeMgr::AddChildNode(ZRObject* block, const char* text, int image) {
    if (!block || !m_pTree || !m_pNode || FindChild(static_cast<ZRMvcModel*>(block)))
        return;
    ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(block->GetClass());
    if (!make)
        return;
    ZRTreeItem* item = m_pTree->InsertItem(text, m_pNode);
    m_pTree->SetItemImage(item, image);
    // The tree item holds the node from here on.
    ZRNodeMgr* node = make(block, item, m_pTree).release();
    m_pTree->SetItemData(item, node);
    node->Initialize();
}

// No Properties command: the node has no property sheet.
const platform::ui::CommandTable* ZROperModeNodeMgr::Commands() const {
    return &BaseCommands();
}

void ZROperModeNodeMgr::Report(std::string& text) {
    text.append(static_cast<size_t>(s_Indent), ' ');
    text += "Mode Configuration\r\n";
}
