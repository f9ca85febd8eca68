#include "kitbase/ui/ZREditRow.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/ui/Grid.h"

namespace CellControlId = platform::ui::CellControlId;

ZREditRow::ZREditRow(ZRAttribute* attribute, ZRRowHeader* header) : ZRAttributeRow(attribute, header) {}

void ZREditRow::Backup() {
    if (ZRAttribute* attribute = GetAttribute())
        m_Backup = attribute->GetAsString();
}

void ZREditRow::OnEndEditing(int column) {
    ZRAttribute* attribute = GetAttribute();
    if (column != 2 || !attribute)
        return;
    std::string value = GetCellValue(2);
    if (value == attribute->GetAsString())
        return;
    // On an error the cell keeps the typed text.
    if (GuardWrite([&] { attribute->SetAsString(value); }) && GetAttribute())
        SetCellValue(2, GetAttribute()->GetAsString()); // as the attribute normalised it
}

void ZREditRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (IsInitialized() && IsOwnAttribute(subject)) {
        switch (ReasonOf(message)) {
        case ZRUpdate::ValueChanged:
            SetCellValue(2, GetAttribute()->GetAsString());
            break;
        case ZRUpdate::EnabledChanged:
            ApplyEnabledLook();
            break;
        default:
            break;
        }
    }
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZREditRow::Refresh(bool force) {
    if (ZRAttribute* attribute = GetAttribute())
        attribute->Refresh(force);
}

void ZREditRow::Revert() {
    ZRAttribute* attribute = GetAttribute();
    // The cell follows through the attribute's change message.
    if (GetDynamicLoad() && attribute)
        GuardWrite([&] { attribute->SetAsString(m_Backup); });
}

void ZREditRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    grid->SetControl(GetRow(), 2, CellControlId::Edit);
    ZRAttribute* attribute = GetAttribute();
    grid->SetValue(GetRow(), 2, attribute ? attribute->GetAsString() : std::string());
    if (attribute && !attribute->GetEnabled())
        ApplyEnabledLook();
}
