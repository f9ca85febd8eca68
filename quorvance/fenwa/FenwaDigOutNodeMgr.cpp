#include "quorvance/fenwa/FenwaDigOutNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDigOut.h"
#include "quorvance/shell/ZRImages.h"

namespace {
constexpr unsigned long kHelpTopic = 1151;
constexpr unsigned long kPropsHelpTopic = 1152;
} // namespace

FenwaDigOutNodeMgr::FenwaDigOutNodeMgr(FenwaDigOut* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : FenwaOperModeBlockNodeMgr(block, item, view), m_pBlock(block) {}

void FenwaDigOutNodeMgr::Initialize() {
    using platform::ui::MenuItem;
    SetUp({IDR_FENWA_NODE_MENU, kFenwaDigOutMenu, "%s - Digital Outputs", ZRImages::IDI_DIGITAL_OUTPUTS,
           kHelpTopic, kPropsHelpTopic},
          MenuItem("DigitalOutputs", {MenuItem(ID_PROPERTIES, "Properties...")}));
    if (!m_pBlock)
        return;
    m_Properties.SetName("Digital Outputs");
    m_Statuses.SetName("Digital Outputs");
    for (int n = 1; n <= FenwaDigOut::kOutputs; ++n) {
        m_Properties.AddProperty(m_pBlock->GetOutput(n));
        m_Statuses.AddProperty(m_pBlock->GetOutputState(n));
    }
    m_Properties.AddProperty(m_pBlock->GetBrakeInactiveDelay());
    m_Properties.AddProperty(m_pBlock->GetBrakeActiveDelay());
}
