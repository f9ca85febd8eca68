#include "kitbase/ui/ZRGroupRow.h"

#include "kitbase/ui/ZRStaticHeader.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"
#include "platform/ui/Resources.h"

#include <QKeyEvent>

using platform::ui::CellControlId::Static;

ZRGroupRow::ZRGroupRow(std::unique_ptr<ZRStaticHeader> header)
    : m_Plus(platform::ui::Resources::BitmapText(kPlusBitmap)),
      m_Minus(platform::ui::Resources::BitmapText(kMinusBitmap)) {
    SetHeader(std::move(header));
}

ZRStaticHeader* ZRGroupRow::GetStaticHeader() const {
    return static_cast<ZRStaticHeader*>(GetHeader());
}

ZRGridRow* ZRGroupRow::AddRow(ZRGridRow* row) {
    m_Rows.push_back(row);
    return row;
}

void ZRGroupRow::Initialize(platform::ui::Grid* grid) {
    ZRGridRow::Initialize(grid);
}

void ZRGroupRow::InitCells() {
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetCovered(row, 1, row, 3);
    grid->SetControl(row, 1, Static);
    grid->SetBold(row, 1, true);
    grid->SetReadOnly(row, 1, true);
    grid->SetControl(row, 0, Static);
    grid->SetReadOnly(row, 0, true);
    grid->SetValue(row, 0, m_Plus);
    m_bCollapsed = false;
    RefreshName();
}

void ZRGroupRow::SetRow(int row) {
    ZRGridRow::SetRow(row);
    InitCells();
    RefreshName();
    // InitCells left the plus sign while the flag says open, so this shows every member.
    Refresh();
}

void ZRGroupRow::Refresh() {
    if (!IsPlaced())
        return;
    const std::string& wanted = m_bCollapsed ? m_Plus : m_Minus;
    if (GetCellValue(0) == wanted)
        return;
    for (ZRGridRow* member : m_Rows)
        if (member->GetRow() != 0)
            member->DisplayRow(m_bCollapsed);
    SetCellValue(0, wanted);
}

void ZRGroupRow::OnClicked(unsigned long) {
    if (m_bDynamic && m_bNeedsLoad && m_bCollapsed) {
        // Opening for the first time: the members read their values now and take them as the
        // revert point.
        for (ZRGridRow* member : m_Rows) {
            member->SetDynamicLoad(true);
            member->Refresh(false);
            member->Backup();
        }
        m_bNeedsLoad = false;
    }
    m_bCollapsed = !m_bCollapsed;
    Refresh();
    if (GetGrid())
        GetGrid()->viewport()->update();
}

void ZRGroupRow::LoadRowsDynamic() {
    m_bDynamic = true;
    for (ZRGridRow* member : m_Rows)
        member->SetDynamicLoad(false);
}

int ZRGroupRow::OnLButtonClicked(unsigned long, unsigned int, const QPoint&) {
    OnClicked(0);
    return 1;
}

void ZRGroupRow::OnClickedButton(unsigned long column) {
    if (column == 1)
        OnClicked(0);
}

bool ZRGroupRow::ProcessKeys(QWidget*, QKeyEvent& event) {
    if (event.key() != Qt::Key_Space)
        return false;
    OnClicked(0);
    return true;
}
