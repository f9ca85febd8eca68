#include "quorvance/fenwa/FenwaDigInNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/ui/KitbaseIds.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikIoReport.h"

namespace {
constexpr unsigned long kHelpTopic = 1149;
constexpr unsigned long kPropsHelpTopic = 1150;
} // namespace

FenwaDigInNodeMgr::FenwaDigInNodeMgr(FenwaDigIn* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : FenwaOperModeBlockNodeMgr(block, item, view), m_pBlock(block) {}

void FenwaDigInNodeMgr::Initialize() {
    using platform::ui::MenuItem;
    SetUp({IDR_FENWA_NODE_MENU, kFenwaDigInMenu, "%s - Digital Inputs", ZRImages::IDI_DIGITAL_INPUTS,
           kHelpTopic, kPropsHelpTopic},
          MenuItem("DigitalInputs", {MenuItem(ID_PROPERTIES, "Properties...")}));
    if (!m_pBlock)
        return;
    m_Properties.SetName("Digital Inputs");
    m_Statuses.SetName("Digital Inputs");
    for (int n = 1; n <= FenwaDigIn::kInputs; ++n) {
        m_Properties.AddProperty(m_pBlock->GetInput(n));
        m_Statuses.AddProperty(m_pBlock->GetInputState(n));
    }
}

void FenwaDigInNodeMgr::Report(std::string& text) {
    if (!m_pBlock)
        return;
    const FenwaDigIn& b = *m_pBlock;
    tarvik::ReportAssignments(text, "   Digital Inputs",
                              {b.GetInput(1), b.GetInput(2), b.GetInput(3), b.GetInput(4), b.GetInput(5),
                               b.GetInput(6), b.GetInput(7)});
}
