#include "kitbase/ui/ZRAsStringRow.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRPropertiesGrid.h"

namespace CellControlId = platform::ui::CellControlId;

ZRAsStringRow::ZRAsStringRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

void ZRAsStringRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (IsInitialized() && ReasonOf(message) == ZRUpdate::ValueChanged && IsOwnAttribute(subject))
        SetCellValue(2, ValueText());
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRAsStringRow::Refresh(bool force) {
    if (ZRAttribute* attribute = GetAttribute())
        attribute->Refresh(force);
}

void ZRAsStringRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    grid->SetControl(GetRow(), 2, CellControlId::Static);
    grid->SetReadOnly(GetRow(), 2, true);
    grid->SetValue(GetRow(), 2, ValueText());
}

std::string ZRAsStringRow::ValueText() const {
    ZRAttribute* attribute = GetAttribute();
    if (!attribute)
        return {};
    auto* grid = dynamic_cast<ZRPropertiesGrid*>(GetGrid());
    return attribute->GetFormattedString(grid ? grid->GetFormatBase() : 0);
}
