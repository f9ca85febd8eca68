#include "quorvance/tarvik/ZRDigInNodeMgrTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikIoReport.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"

ZRDigInNodeMgrTarvik::ZRDigInNodeMgrTarvik(ZRDigInTarvik* block, ZRTreeItem* item, ZRWorkspaceView* view,
                                           bool sercos)
    : TarvikBlockNodeMgr(block, item, view), m_pBlock(block), m_bSercos(sercos) {}

void ZRDigInNodeMgrTarvik::Initialize() {
    SetUp({kDigInSubMenu, "DigitalInputs", "%s - Digital Inputs", ZRImages::IDI_DIGITAL_INPUTS,
           tarvik::kHelpTopicDigIn, tarvik::kHelpTopicDigInProps});
    if (!m_pBlock)
        return;
    ZRDigInTarvik& b = *m_pBlock;
    m_Properties.SetName("Digital Inputs");
    m_Statuses.SetName("Digital Inputs");
    if (!m_bSercos) {
        for (int i = 0; i < ZRDigInTarvik::kInputs; ++i) {
            m_Properties.AddProperty(b.GetInput(i));
            m_Statuses.AddProperty(b.GetInputState(i));
        }
        return;
    }
    // A SERCOS drive wires its inputs to fixed functions: the states take those names for good.
    m_Properties.AddProperty(b.GetSercosInput());
    static constexpr struct {
        int input;
        const char* name;
    } kSercosStates[] = {{0, "Drive Enable (if assigned)"}, {1, "Home Sensor"},         {2, "Registration Sensor 1"},
                         {3, "Registration Sensor 2"},      {6, "Positive Overtravel"}, {7, "Negative Overtravel"}};
    for (const auto& state : kSercosStates) {
        ZRBoolAttribute* attribute = b.GetInputState(state.input);
        attribute->SetName(state.name);
        m_Statuses.AddProperty(attribute);
    }
}

void ZRDigInNodeMgrTarvik::Report(std::string& text) {
    if (!m_pBlock)
        return;
    const ZRDigInTarvik& b = *m_pBlock;
    tarvik::ReportAssignments(text, "   Digital Inputs",
                              {b.GetInput(0), b.GetInput(1), b.GetInput(2), b.GetInput(3), b.GetInput(4),
                               b.GetInput(5), b.GetInput(6), b.GetInput(7)});
}
