#include "quorvance/fenwa/FenwaOperModeNodeMgr.h"

#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"

namespace {
constexpr unsigned short kOperModeIcon = 19730;
constexpr unsigned long kOperModeHelpTopic = 1163;
} // namespace

FenwaOperModeNodeMgr::FenwaOperModeNodeMgr(FenwaOperMode* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, block, view), m_pBlock(block) {}

void FenwaOperModeNodeMgr::Initialize() {
    if (m_pBlock) {
        // Fixed texts: the items do not follow the blocks' names.
        AddChildNode(m_pBlock->GetChild(fenwa::kAnalogInType), "Analog", ZRImages::kAnalog);
        AddChildNode(m_pBlock->GetChild(fenwa::kPresetType), "Preset", ZRImages::kPreset);
        AddChildNode(m_pBlock->GetChild(fenwa::kFollowerType), "Follower", ZRImages::kFollower);
    }
    ZRObject* drive = m_pBlock ? m_pBlock->GetParent() : nullptr;
    SetViewTitle("%s - Mode Configuration", drive ? &drive->GetName() : nullptr);
    SetIconID(kOperModeIcon);
    SetHelpTopic(kOperModeHelpTopic);
}

// A block whose node kind is not registered gets no item.
void FenwaOperModeNodeMgr::AddChildNode(ZRObject* block, const char* text, int image) {
    if (!block || !m_pTree || !m_pNode || FindChild(static_cast<ZRMvcModel*>(block)))
        return;
    ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(block->GetClass());
    if (!make)
        return;
    ZRTreeItem* item = m_pTree->InsertItem(text, m_pNode);
    m_pTree->SetItemImage(item, image);
    // The tree item holds the node from here on.
    ZRNodeMgr* made = make(block, item, m_pTree).release();
    if (!made) {
        m_pTree->DeleteItem(item);
        return;
    }
    m_pTree->SetItemData(item, made);
    made->Initialize();
}

// No Properties command: the node has no property sheet.
const platform::ui::CommandTable* FenwaOperModeNodeMgr::Commands() const {
    return &BaseCommands();
}

void FenwaOperModeNodeMgr::Report(std::string& text) {
    text.append(static_cast<size_t>(s_Indent), ' ');
    text += "Mode Configuration\r\n";
}
