#include "kitbase/ui/ZRLabelRow.h"

#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"

using platform::ui::CellControlId::Static;

ZRLabelRow::ZRLabelRow(std::unique_ptr<ZRRowHeader> header) {
    SetHeader(std::move(header));
}

void ZRLabelRow::Initialize(platform::ui::Grid* grid) {
    ZRGridRow::Initialize(grid);
}

void ZRLabelRow::SetRow(int row) {
    ZRGridRow::SetRow(row);
    InitCells();
    RefreshName();
    Refresh();
}

void ZRLabelRow::InitCells() {
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetCovered(row, 1, row, 3);
    grid->SetControl(row, 1, Static);
    grid->SetBold(row, 1, true);
    grid->SetWordWrap(row, 1, true);
    grid->SetReadOnly(row, 1, true);
    grid->SetControl(row, 0, Static);
    grid->SetReadOnly(row, 0, true);
    RefreshName();
}

void ZRLabelRow::Refresh() {
    // A long wrapped caption gets the height it needs.
    if (IsPlaced())
        GetGrid()->FitRowHeight(GetRow());
}
