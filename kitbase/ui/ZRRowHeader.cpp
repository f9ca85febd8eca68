#include "kitbase/ui/ZRRowHeader.h"

#include "platform/ui/Grid.h"

ZRRowHeader::~ZRRowHeader() = default;

void ZRRowHeader::Initialize(platform::ui::Grid* grid) {
    m_pGrid = grid;
}

void ZRRowHeader::SetRow(int row) {
    m_Row = row;
    Refresh();
}

void ZRRowHeader::WriteCaption(const std::string& caption) {
    // The grid's read-only flag stops only the user; this write always goes in.
    if (m_pGrid && m_Row >= 0)
        m_pGrid->SetValue(m_Row, 1, caption);
}
