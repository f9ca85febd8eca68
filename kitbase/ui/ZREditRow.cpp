#include "kitbase/ui/ZREditRow.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/ui/Grid.h"

namespace CellControlId = platform::ui::CellControlId;

ZREditRow::ZREditRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

void ZREditRow::Backup() {
    if (ZRAttribute* attribute = GetAttribute())
        m_Backup = attribute->GetAsString();
}

void ZREditRow::OnEndEditing(int column) {
    if (column == 2)
        WriteCellText();
}

void ZREditRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (OwnChange(subject, message) == ZRUpdate::ValueChanged)
        SetCellValue(2, GetAttribute()->GetAsString());
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZREditRow::Refresh(bool force) {
    if (ZRAttribute* attribute = GetAttribute())
        attribute->Refresh(force);
}

void ZREditRow::Revert() {
    // The cell follows through the attribute's change message.
    RestoreText(m_Backup);
}

void ZREditRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    GetGrid()->SetControl(GetRow(), 2, CellControlId::Edit);
    ZRAttribute* attribute = GetAttribute();
    InitValueCell(attribute ? attribute->GetAsString() : std::string());
}
