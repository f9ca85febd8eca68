#include "kitbase/ui/ZRCommandRow.h"

#include "kitbase/ui/ZRNodeMgr.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"

ZRCommandRow::ZRCommandRow(std::string caption, unsigned int command, ZRNodeMgr* owner)
    : m_Caption(std::move(caption)), m_Command(command), m_pOwner(owner) {}

void ZRCommandRow::SetRow(int row) {
    ZRGridRow::SetRow(row);
    if (!IsPlaced())
        return;
    GetGrid()->SetControl(row, 1, platform::ui::CellControlId::PushButton);
    GetGrid()->SetValue(row, 1, m_Caption);
}

void ZRCommandRow::OnClickedButton(unsigned long) {
    if (m_pOwner)
        m_pOwner->DoCommand(m_Command);
}

void ZRCommandRow::OnLButtonDown(unsigned long) {
    if (m_pOwner)
        m_pOwner->DoCommand2(m_Command, 0);
}

void ZRCommandRow::OnLButtonUp(unsigned long) {
    if (m_pOwner)
        m_pOwner->DoCommand2(m_Command, 1);
}

int ZRCommandRow::LButtonUp(unsigned int, const QPoint&, unsigned int) {
    return 0;
}

void ZRCommandRow::Refresh() {}
