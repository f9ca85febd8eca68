#include "kitbase/ui/ZRGridRow.h"

#include "kitbase/ui/ZRRowHeader.h"
#include "platform/ui/Grid.h"

ZRGridRow::~ZRGridRow() = default;

void ZRGridRow::Backup() {}

void ZRGridRow::DisplayRow(bool hide) {
    if (hide)
        Hide();
    else
        Show();
}

bool ZRGridRow::GetDynamicLoad() {
    return m_bDynamicLoad;
}

void ZRGridRow::Initialize(platform::ui::Grid* grid) {
    m_pGrid = grid;
    m_bInitialized = true;
    if (m_pHeader)
        m_pHeader->Initialize(grid);
}

void ZRGridRow::OnClickedButton(unsigned long) {}

int ZRGridRow::OnLButtonClicked(unsigned long, unsigned int, const QPoint&) {
    return 0;
}

void ZRGridRow::OnLButtonDown(unsigned long) {}
void ZRGridRow::OnLButtonUp(unsigned long) {}
void ZRGridRow::OnEndEditing(int) {}
void ZRGridRow::OnModifyCell(int) {}

bool ZRGridRow::ProcessKeys(QWidget*, QKeyEvent&) {
    return false;
}

void ZRGridRow::Refresh(bool) {}
void ZRGridRow::Revert() {}

void ZRGridRow::SetDynamicLoad(bool dynamicLoad) {
    m_bDynamicLoad = dynamicLoad;
}

void ZRGridRow::SetRow(int row) {
    m_Row = row;
    if (m_pHeader)
        m_pHeader->SetRow(row);
}

void ZRGridRow::Show() {
    if (!IsPlaced())
        return;
    FitRowHeight();
    m_bHidden = false;
}

bool ZRGridRow::Validate(const std::string&) {
    return true;
}

void ZRGridRow::AdjustRowHeight() {
    if (IsPlaced())
        FitRowHeight();
}

void ZRGridRow::RefreshName() {
    if (m_pHeader)
        m_pHeader->Refresh();
}

void ZRGridRow::OnUpdate(platform::core::Subject*, platform::core::Message*) {}

void ZRGridRow::Hide() {
    if (!IsPlaced())
        return;
    m_pGrid->SetRowHeight(m_Row, 0);
    m_bHidden = true;
}

void ZRGridRow::SetHeader(std::unique_ptr<ZRRowHeader> header) {
    m_pHeader = std::move(header);
    if (m_pHeader && m_pGrid)
        m_pHeader->Initialize(m_pGrid);
}

std::string ZRGridRow::GetCellValue(int column) const {
    return IsPlaced() ? m_pGrid->Value(m_Row, column) : std::string();
}

void ZRGridRow::SetCellValue(int column, const std::string& value) {
    // The grid writes only a differing value and redraws only then.
    if (IsPlaced())
        m_pGrid->SetValue(m_Row, column, value);
}

void ZRGridRow::FitRowHeight() {
    if (!IsPlaced())
        return;
    m_pGrid->FitRowHeight(m_Row);
    m_pGrid->RedrawCell(m_Row, 1);
}
