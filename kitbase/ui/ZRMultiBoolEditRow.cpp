#include "kitbase/ui/ZRMultiBoolEditRow.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "platform/ui/Grid.h"

#include <algorithm>

namespace CellControlId = platform::ui::CellControlId;

ZRMultiBoolEditRow::ZRMultiBoolEditRow(std::unique_ptr<ZRRowHeader> header) {
    SetHeader(std::move(header));
}

void ZRMultiBoolEditRow::Backup() {
    m_Backup = false;
}

void ZRMultiBoolEditRow::DisplayRow(bool hide) {
    m_bForcedHidden = hide;
    ZRGridRow::DisplayRow(hide);
}

void ZRMultiBoolEditRow::OnEndEditing(int) {}

void ZRMultiBoolEditRow::OnModifyCell(int) {}

void ZRMultiBoolEditRow::Revert() {
    if (GetDynamicLoad())
        SetCellValue(2, m_Backup ? "1" : "0");
}

void ZRMultiBoolEditRow::Refresh() {
    bool all = !m_Attributes.empty() && std::all_of(m_Attributes.begin(), m_Attributes.end(),
                                                    [](ZRBoolAttribute* a) { return a->GetValue(); });
    SetCellValue(2, all ? "1" : "0");
}

void ZRMultiBoolEditRow::InitCells() {
    if (!IsPlaced())
        return;
    GetGrid()->SetControl(GetRow(), 2, CellControlId::IndexTextList);
    GetGrid()->SetChoiceList(GetRow(), 2, {});
}
